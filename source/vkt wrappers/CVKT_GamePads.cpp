#include "CVKT_GamePads.h"

#include "CVKT_DataLocation.h"
#include "CVKT_GamePad.h"
#include "CVKT_InputDeviceObject.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"

#include <SDL.h>

#include <unistd.h>

#include <algorithm>

namespace
{
const char* const ERROR_TITLE = "CVKT_DirectInput Error";
// The community's full file is well under a megabyte; anything far larger is not a mapping file.
constexpr uint64_t MAX_MAPPINGS_SIZE = 16u * 1024u * 1024u;
} // namespace

CVKT_GamePads::CVKT_GamePads() = default;

CVKT_GamePads::~CVKT_GamePads()
{
    // The pads close before SDL's controller support stops.
    m_vPads.clear();
    if (m_bStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool CVKT_GamePads::Init(HWND hWnd)
{
    // Whether the game may see the pads is decided here, by the window's focus; SDL must keep
    // their state current even while its window looks unfocused to it (a headless window never gets
    // the focus).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    {
        CVKT_MessageBox::Show(hWnd, "Failed to start the game controllers.", ERROR_TITLE);
        return false;
    }
    m_bStarted = true;
    AddUserMappings(hWnd);
    OpenAttached();
    return true;
}

void CVKT_GamePads::AddUserMappings(HWND hWnd)
{
    const std::string file = CVKT_DataLocation::GetInstance()->UserFile(MAPPINGS_FILE);
    if (file.empty())
        return;
    const std::string path = CVKT_ResourcePath::ResolveIgnoringCase(file);
    if (::access(path.c_str(), F_OK) != 0)
        return;
    std::vector<uint8_t> bytes;
    const bool bRead = CVKT_ResourcePath::ReadRegularFile(path.c_str(), MAX_MAPPINGS_SIZE, bytes);
    // An empty file maps nothing; SDL would call it an error.
    if (bRead && bytes.empty())
        return;
    if (bRead && SDL_GameControllerAddMappingsFromRW(
                     SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1) >= 0)
        return;
    const std::string text = "Failed to read the controller mappings in " + path;
    CVKT_MessageBox::Show(hWnd, text.c_str(), ERROR_TITLE);
}

void CVKT_GamePads::OpenAttached()
{
    const int nCount = SDL_NumJoysticks();
    for (int nIndex = 0; nIndex < nCount; ++nIndex)
        Open(nIndex);
}

void CVKT_GamePads::Open(int nDeviceIndex)
{
    // SDL also announces the pads that were there when it started: each is opened once.
    if (nDeviceIndex < 0 || nDeviceIndex >= SDL_NumJoysticks() ||
        IsOpen(SDL_JoystickGetDeviceInstanceID(nDeviceIndex)))
        return;
    if (std::unique_ptr<CVKT_GamePad> pPad = CVKT_GamePad::Open(nDeviceIndex))
        m_vPads.push_back(std::move(pPad));
}

void CVKT_GamePads::Close(int32_t nInstanceID)
{
    const auto found = std::find_if(m_vPads.begin(), m_vPads.end(),
                                    [nInstanceID](const std::unique_ptr<CVKT_GamePad>& pPad)
                                    { return pPad->GetInstanceID() == nInstanceID; });
    if (found == m_vPads.end())
        return;
    m_vPads.erase(found);
    if (nInstanceID != m_nPlayingPad)
        return;
    m_nPlayingPad = -1;
    m_bLostSinceRead = true;
}

bool CVKT_GamePads::IsOpen(int32_t nInstanceID) const
{
    return std::any_of(m_vPads.begin(), m_vPads.end(),
                       [nInstanceID](const std::unique_ptr<CVKT_GamePad>& pPad)
                       { return pPad->GetInstanceID() == nInstanceID; });
}

void CVKT_GamePads::HandleEvent(const SDL_Event& event)
{
    if (!m_bStarted)
        return;
    if (event.type == SDL_CONTROLLERDEVICEADDED)
        Open(event.cdevice.which);
    else if (event.type == SDL_CONTROLLERDEVICEREMOVED)
        Close(event.cdevice.which);
    else
    {
        for (const std::unique_ptr<CVKT_GamePad>& pPad : m_vPads)
            pPad->HandleEvent(event);
    }
}

void CVKT_GamePads::Read()
{
    const bool bSeesInput = CVKT_InputDeviceObject::HasWindowFocus();
    for (const std::unique_ptr<CVKT_GamePad>& pPad : m_vPads)
    {
        pPad->Read(bSeesInput);
        if (pPad->HasNewInput())
            m_nPlayingPad = pPad->GetInstanceID();
    }
    m_bPlayingPadLost = m_bLostSinceRead;
    m_bLostSinceRead = false;
}

bool CVKT_GamePads::ButtonDown(int nButton) const
{
    return std::any_of(m_vPads.begin(), m_vPads.end(),
                       [nButton](const std::unique_ptr<CVKT_GamePad>& pPad)
                       { return pPad->ButtonDown(nButton); });
}

bool CVKT_GamePads::ButtonPressed(int nButton) const
{
    return std::any_of(m_vPads.begin(), m_vPads.end(),
                       [nButton](const std::unique_ptr<CVKT_GamePad>& pPad)
                       { return pPad->ButtonDown(nButton) && !pPad->ButtonWasDown(nButton); });
}

bool CVKT_GamePads::AnyButtonPressed() const
{
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (ButtonPressed(nButton))
            return true;
    }
    return false;
}

bool CVKT_GamePads::DirectionDown(int nDir) const
{
    return std::any_of(m_vPads.begin(), m_vPads.end(),
                       [nDir](const std::unique_ptr<CVKT_GamePad>& pPad)
                       { return pPad->DirectionDown(nDir); });
}

bool CVKT_GamePads::DirectionPressed(int nDir) const
{
    return std::any_of(m_vPads.begin(), m_vPads.end(),
                       [nDir](const std::unique_ptr<CVKT_GamePad>& pPad)
                       { return pPad->DirectionDown(nDir) && !pPad->DirectionWasDown(nDir); });
}

CVKT_GamePad* CVKT_GamePads::PlayingPad() const
{
    for (const std::unique_ptr<CVKT_GamePad>& pPad : m_vPads)
    {
        if (pPad->GetInstanceID() == m_nPlayingPad)
            return pPad.get();
    }
    return nullptr;
}

bool CVKT_GamePads::Rumble(float fStrength, uint32_t uMilliseconds)
{
    CVKT_GamePad* pPad = PlayingPad();
    return pPad && pPad->Rumble(fStrength, uMilliseconds);
}
