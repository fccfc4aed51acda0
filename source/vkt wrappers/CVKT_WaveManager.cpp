#include "CVKT_WaveManager.h"

#include "CVKT_MessageBox.h"
#include "CVKT_SoundBuffer.h"
#include "CVKT_SoundMixer.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

namespace
{
constexpr const char* ERROR_TITLE = "CVKT_WaveManager Error";
constexpr size_t MAX_MESSAGE = 255;

// The reader's failures as the game words them; the file name follows the text.
const char* ReadFailureText(eWaveReadResult result)
{
    switch (result)
    {
    case eWaveReadResult::FileNotFound:
        return "Could not find the file - ";
    case eWaveReadResult::BadFormatChunk:
        return "Invalid Format Information - ";
    case eWaveReadResult::NotPcm:
        return "Invalid PCM information - ";
    case eWaveReadResult::BadBitsPerSample:
        return "Invalid Bits per Sample - Must be 8 or 16 - ";
    case eWaveReadResult::NoDataChunk:
        return "The file ends before its data chunk - ";
    case eWaveReadResult::OutOfMemory:
        return "Failed to make memory for wave information - ";
    case eWaveReadResult::BadHeader:
    case eWaveReadResult::Ok:
        break;
    }
    return nullptr;
}
} // namespace

CVKT_WaveManager* CVKT_WaveManager::GetInstance()
{
    static CVKT_WaveManager instance;
    return &instance;
}

CVKT_WaveManager::CVKT_WaveManager() = default;

CVKT_WaveManager::~CVKT_WaveManager() = default;

bool CVKT_WaveManager::InitWaveManager(HWND hWnd, CVKT_SoundMixer* pDS)
{
    if (!hWnd || !pDS)
        return false;
    m_hWnd = hWnd;
    m_pDS = pDS;
    return true;
}

void CVKT_WaveManager::ShutdownWaveManager()
{
    m_Channels.clear();
    m_waveList.clear();
    m_pDS = nullptr;
    m_hWnd = nullptr;
}

void CVKT_WaveManager::Report(const char* szText) const
{
    CVKT_MessageBox::Show(m_hWnd, szText, ERROR_TITLE);
}

void CVKT_WaveManager::ReportWithName(const char* szText, const char* szFilename) const
{
    // The game's message buffer held 256 characters; a longer name is cut.
    std::string message = std::string(szText) + szFilename;
    if (message.size() > MAX_MESSAGE)
        message.resize(MAX_MESSAGE);
    Report(message.c_str());
}

int CVKT_WaveManager::GetRefCount(int nID) const
{
    if (nID < 0 || nID >= GetSlotCount())
        return 0;
    return m_waveList[nID].refCount;
}

CVKT_SoundBuffer* CVKT_WaveManager::BufferFor(int nID, eUse use) const
{
    if (!m_pDS || nID == -1)
        return nullptr;
    const bool inRange = nID >= 0 && nID < GetSlotCount();
    assert(inRange && "id is out of range");
    if (!inRange)
        return nullptr;
    CVKT_SoundBuffer* pBuffer = m_waveList[nID].dsBuffer.get();
    if (use == eUse::Play)
        assert(pBuffer && "Attempting to play released wave id");
    else
        assert(pBuffer && "Wave buffer is NULL.  Possible unloaded wave.");
    return pBuffer;
}

int CVKT_WaveManager::FindLoaded(const char* szFilename) const
{
    // Free slots have no name and must never match, not even an empty one.
    for (size_t i = 0; i < m_waveList.size(); ++i)
    {
        if (m_waveList[i].refCount > 0 && strcasecmp(m_waveList[i].filename, szFilename) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CVKT_WaveManager::FindFreeSlot() const
{
    for (size_t i = 0; i < m_waveList.size(); ++i)
    {
        if (m_waveList[i].refCount == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CVKT_WaveManager::LoadWave(const char* szFilename)
{
    if (!m_pDS || !szFilename)
        return -1;

    const int loaded = FindLoaded(szFilename);
    if (loaded != -1)
    {
        ++m_waveList[loaded].refCount;
        return loaded;
    }

    // A name that does not fit the slot cannot be kept, so it is refused like a missing file.
    if (std::strlen(szFilename) >= MAX_FILENAME)
    {
        ReportWithName(ReadFailureText(eWaveReadResult::FileNotFound), szFilename);
        return -1;
    }

    tSoundInfo info;
    if (!CreateBuffer(szFilename, info))
        return -1;
    std::snprintf(info.filename, sizeof info.filename, "%s", szFilename);
    info.refCount = 1;
    return StoreWave(std::move(info));
}

bool CVKT_WaveManager::CreateBuffer(const char* szFilename, tSoundInfo& info)
{
    tWaveData wave;
    const eWaveReadResult result = CVKT_WaveReader::ReadFile(szFilename, wave);
    if (result == eWaveReadResult::BadHeader)
    {
        Report("Incorrect Header information.");
        return false;
    }
    if (result != eWaveReadResult::Ok)
    {
        ReportWithName(ReadFailureText(result), szFilename);
        return false;
    }
    info.format = wave.format;
    info.dsBuffer = m_pDS->CreateSoundBuffer(wave.format, wave.dwDataLength, std::move(wave.samples));
    if (!info.dsBuffer)
    {
        ReportWithName("Failed to Create the Sound Buffer - ", szFilename);
        return false;
    }
    return true;
}

int CVKT_WaveManager::StoreWave(tSoundInfo&& info)
{
    const int freeSlot = FindFreeSlot();
    if (freeSlot != -1)
    {
        m_waveList[freeSlot] = std::move(info);
        return freeSlot;
    }
    m_waveList.push_back(std::move(info));
    return GetSlotCount() - 1;
}

bool CVKT_WaveManager::UnloadWave(int nID)
{
    if (nID == -1)
        return false;
    const bool inRange = nID >= 0 && nID < GetSlotCount();
    assert(inRange && "id is out of range");
    if (!inRange)
        return false;
    tSoundInfo& slot = m_waveList[nID];
    if (slot.refCount <= 0)
        return true;
    if (--slot.refCount >= 1)
        return true;
    slot.dsBuffer.reset();
    slot.filename[0] = '\0';
    slot.refCount = 0;
    return true;
}

bool CVKT_WaveManager::PlayWave(int nID, bool bIsLooping)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Play);
    if (!pOwn)
        return false;
    if (IsWavePlaying(nID))
        return StartCopy(*pOwn, bIsLooping);
    // From where the buffer stands: a sound that played to its end stands at its start again, and
    // ResetWave rewinds a stopped one.
    if (!pOwn->Play(bIsLooping))
    {
        ReportWithName("Failed to Play - ", m_waveList[nID].filename);
        return false;
    }
    return true;
}

bool CVKT_WaveManager::StartCopy(const CVKT_SoundBuffer& own, bool bIsLooping)
{
    std::unique_ptr<CVKT_SoundBuffer> pCopy = m_pDS->DuplicateSoundBuffer(own);
    if (!pCopy)
    {
        Report("Failed to allocate duplicate sound buffer.");
        return false;
    }
    // Registered before it plays, so that even the shortest copy is collected.
    pCopy->EnableStopNotification();
    pCopy->SetCurrentPosition(0);
    pCopy->Play(bIsLooping);
    m_Channels.push_back(tSoundChannel{std::move(pCopy)});
    return true;
}

bool CVKT_WaveManager::StopWave(int nID)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Other);
    if (!pOwn)
        return false;
    if (!pOwn->Stop())
    {
        Report("Failed to Stop the buffer");
        return false;
    }
    return true;
}

bool CVKT_WaveManager::ResetWave(int nID)
{
    if (!StopWave(nID))
        return false;
    if (!m_waveList[nID].dsBuffer->SetCurrentPosition(0))
    {
        Report("Failed to Reset the Buffer");
        return false;
    }
    return true;
}

bool CVKT_WaveManager::IsWavePlaying(int nID)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Other);
    if (!pOwn)
        return false;
    uint32_t status = 0;
    if (!pOwn->GetStatus(status))
    {
        Report("Failed to Get the Status of the Buffer.");
        return false;
    }
    return (status & (CVKT_SoundBuffer::STATUS_PLAYING | CVKT_SoundBuffer::STATUS_LOOPING)) != 0;
}

bool CVKT_WaveManager::SetVolume(int nID, int nVolume)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Other);
    if (!pOwn)
        return false;
    // 0.3 dB a step below full level: 100 is 0 dB, 0 is -30 dB (quiet, not silent).
    const int volume = std::clamp(nVolume, 0, 100);
    if (!pOwn->SetVolume(volume * 30 - 3000))
    {
        Report("Failed to Set the Volume for the Buffer");
        return false;
    }
    return true;
}

bool CVKT_WaveManager::SetPan(int nID, int nPan)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Other);
    if (!pOwn)
        return false;
    const int pan = std::clamp(nPan, -100, 100);
    if (!pOwn->SetPan(pan * 100))
    {
        Report("Failed to Set the Panning for the buffer.");
        return false;
    }
    return true;
}

bool CVKT_WaveManager::SetFrequency(int nID, unsigned int unFrequency)
{
    CVKT_SoundBuffer* pOwn = BufferFor(nID, eUse::Other);
    if (!pOwn)
        return false;
    tSoundCaps caps;
    if (!m_pDS->GetCaps(caps))
    {
        Report("Failed to get the device capabilities");
        return false;
    }
    const unsigned int frequency =
        std::clamp<unsigned int>(unFrequency, caps.dwMinSecondarySampleRate, caps.dwMaxSecondarySampleRate);
    if (!pOwn->SetFrequency(frequency))
    {
        Report("Failed to Set the Frequency for the buffer.");
        return false;
    }
    return true;
}

void CVKT_WaveManager::Update()
{
    for (auto it = m_Channels.begin(); it != m_Channels.end();)
    {
        if (it->dsBuffer->PollStopNotification())
        {
            it->dsBuffer->Stop();
            it = m_Channels.erase(it);
        }
        else
        {
            ++it;
        }
    }
}
