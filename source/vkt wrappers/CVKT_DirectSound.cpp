#include "CVKT_DirectSound.h"

#include "CVKT_MessageBox.h"
#include "CVKT_SoundMixer.h"

#include <SDL.h>

namespace
{
constexpr const char* ERROR_TITLE = "CVKT_DirectSound Error";
// When the device does not say what it runs at.
constexpr int FALLBACK_RATE = 44100;

// Frames per device buffer: the largest power of two up to about 12.5 ms at the rate (512 at
// 44100 Hz), between 128 and MAX_DEVICE_FRAMES. SDL adds about as much again on its side.
Uint16 DeviceFramesFor(int nRate)
{
    uint32_t frames = CVKT_DirectSound::MAX_DEVICE_FRAMES;
    while (frames > 128 && frames * 80 > static_cast<uint32_t>(nRate))
        frames /= 2;
    return static_cast<Uint16>(frames);
}

int NativeRate()
{
    SDL_AudioSpec deviceFormat;
    SDL_zero(deviceFormat);
    if (SDL_GetDefaultAudioInfo(nullptr, &deviceFormat, 0) != 0 || deviceFormat.freq <= 0)
        return FALLBACK_RATE;
    return deviceFormat.freq;
}

// The priority modes' primary format: PCM, 16-bit stereo.
tWaveFormat PrimaryFormatFor(int nRate)
{
    tWaveFormat format;
    format.wFormatTag = CVKT_WaveReader::FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<uint32_t>(nRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    format.cbSize = 0;
    return format;
}

void SDLCALL AudioCallback(void* pUserData, Uint8* pStream, int nLength)
{
    static_cast<CVKT_SoundMixer*>(pUserData)->RenderToDevice(pStream,
                                                             nLength > 0 ? static_cast<size_t>(nLength) : 0);
}
} // namespace

CVKT_DirectSound* CVKT_DirectSound::GetInstance()
{
    static CVKT_DirectSound instance;
    return &instance;
}

CVKT_DirectSound::~CVKT_DirectSound()
{
    ShutdownDirectSound();
}

void CVKT_DirectSound::ReportFailure(const char* szText) const
{
    CVKT_MessageBox::Show(m_hWnd, szText, ERROR_TITLE);
}

bool CVKT_DirectSound::InitDirectSound(HWND hWnd, int nMode)
{
    if (!hWnd)
        return false;
    ShutdownDirectSound();
    m_hWnd = hWnd;
    // There is no cooperative level to set: SDL's default output is shared with other programs
    // in every mode, and the priority modes differ only in the format they ask for.
    if (!OpenDevice(nMode))
    {
        ReportFailure("Failed to Create DirectSound Object");
        return false;
    }
    return true;
}

bool CVKT_DirectSound::OpenDevice(int nMode)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    m_bAudioStarted = true;

    const bool priority = nMode == 2 || nMode == 3;
    SDL_AudioSpec desired;
    SDL_zero(desired);
    desired.freq = priority ? (nMode == 2 ? 22050 : 44100) : NativeRate();
    desired.format = priority ? AUDIO_S16SYS : AUDIO_F32SYS;
    desired.channels = 2;
    desired.samples = DeviceFramesFor(desired.freq);
    desired.callback = &AudioCallback;
    auto pMixer = std::make_unique<CVKT_SoundMixer>(static_cast<uint32_t>(desired.freq));
    desired.userdata = pMixer.get();

    // Normal sharing takes the device's rate if it differs; the priority modes insist on theirs and
    // SDL converts. The format and the channel count are always the mixer's.
    SDL_AudioSpec obtained;
    SDL_zero(obtained);
    const int allowed = priority ? 0 : SDL_AUDIO_ALLOW_FREQUENCY_CHANGE;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, allowed);
    if (device == 0)
        return false;

    // The device starts paused, so the mixer can be set up before the first callback.
    m_nDeviceID = device;
    m_nDeviceFrames = obtained.samples;
    pMixer->AttachDevice(device, static_cast<uint32_t>(obtained.freq),
                         priority ? CVKT_SoundMixer::eOutputFormat::Signed16
                                  : CVKT_SoundMixer::eOutputFormat::Float32);
    m_pDS = std::move(pMixer);
    if (priority)
    {
        m_bPrimaryBuffer = true;
        m_PrimaryFormat = PrimaryFormatFor(obtained.freq);
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool CVKT_DirectSound::ShutdownDirectSound()
{
    // The audio thread must be gone before the mixer it calls.
    if (m_nDeviceID != 0)
        SDL_CloseAudioDevice(m_nDeviceID);
    if (m_pDS)
        m_pDS->DetachDevice();
    m_pDS.reset();
    m_nDeviceID = 0;
    m_nDeviceFrames = 0;
    m_bPrimaryBuffer = false;
    m_PrimaryFormat = tWaveFormat();
    if (m_bAudioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_bAudioStarted = false;
    return true;
}
