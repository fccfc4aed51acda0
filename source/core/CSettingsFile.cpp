#include "CSettingsFile.h"

#include "CVKT_DataLocation.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"

#include <tinyxml.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
constexpr int DEFAULT_VOLUME = 50;
constexpr int MAX_NAME_BYTES = 3;

// ---- Names: bytes <-> XML text ----

// Bytes from 0x80 up become the UTF-8 form of the Latin-1 letter with that code, so that the file is
// the UTF-8 it declares. TinyXML escapes the rest (control characters as &#xNN;, and <, >, &, ").
std::string NameToText(const char* szName)
{
    std::string text;
    for (size_t i = 0; i < MAX_NAME_BYTES && szName[i] != '\0'; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(szName[i]);
        if (c < 0x80)
        {
            text += static_cast<char>(c);
        }
        else
        {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// Length of the well-formed UTF-8 sequence at p (at most `left` bytes), or 0 when there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t Utf8SequenceLength(const unsigned char* p, size_t left)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF)
    {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        if (c == 0xED)
            high = 0x9F;
    }
    else if (c >= 0xF0 && c <= 0xF4)
    {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    }
    else
        return 0;
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
    {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}

bool IsValidUtf8(const std::string& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t left = bytes.size();
    while (left > 0)
    {
        const size_t length = Utf8SequenceLength(p, left);
        if (length == 0)
            return false;
        p += length;
        left -= length;
    }
    return true;
}

// Text read in UTF-8 mode: letters up to U+00FF become the byte of that code (undoing NameToText);
// anything else keeps its UTF-8 bytes.
std::string Utf8TextToBytes(const std::string& text)
{
    std::string bytes;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    size_t left = text.size();
    while (left > 0)
    {
        size_t length = Utf8SequenceLength(p, left);
        if (length == 2 && p[0] <= 0xC3)
            bytes += static_cast<char>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
        else
        {
            // A byte that starts no sequence (TinyXML can make such text from a character reference)
            // is kept as it is.
            length = std::max<size_t>(length, 1);
            bytes.append(reinterpret_cast<const char*>(p), length);
        }
        p += length;
        left -= length;
    }
    return bytes;
}

void CopyName(const std::string& bytes, char szName[4])
{
    std::memset(szName, 0, 4);
    for (size_t i = 0; i < bytes.size() && i < MAX_NAME_BYTES && bytes[i] != '\0'; ++i)
        szName[i] = bytes[i];
}

// ---- Reading ----

// TinyXML trims and condenses white space in text by default; a name such as " ab" must keep it.
// The switch is global to the library, so it is put back afterwards.
class CKeepWhiteSpace
{
public:
    CKeepWhiteSpace() : m_bWasCondensed(TiXmlBase::IsWhiteSpaceCondensed())
    {
        TiXmlBase::SetCondenseWhiteSpace(false);
    }
    ~CKeepWhiteSpace() { TiXmlBase::SetCondenseWhiteSpace(m_bWasCondensed); }
    CKeepWhiteSpace(const CKeepWhiteSpace&) = delete;
    CKeepWhiteSpace& operator=(const CKeepWhiteSpace&) = delete;

private:
    bool m_bWasCondensed;
};

// The byte-order mark goes (TinyXML's legacy mode rejects it) and line ends become LF, as TinyXML's
// own file loading does.
std::string PrepareText(const std::string& bytes)
{
    size_t start = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    std::string text;
    text.reserve(bytes.size() - start);
    for (size_t i = start; i < bytes.size(); ++i)
    {
        if (bytes[i] != '\r')
        {
            text += bytes[i];
            continue;
        }
        text += '\n';
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    return text;
}

int ReadVolume(const TiXmlElement* pElement, const char* szName)
{
    int nVolume = DEFAULT_VOLUME;
    if (pElement->QueryIntAttribute(szName, &nVolume) != TIXML_SUCCESS)
        nVolume = DEFAULT_VOLUME;
    return std::clamp(nVolume, 0, 100);
}

void ReadScore(const TiXmlElement* pElement, bool bUtf8, tHighScore& entry)
{
    int nPoints = 0;
    if (pElement->QueryIntAttribute("points", &nPoints) != TIXML_SUCCESS)
        nPoints = 0;
    entry.nPoints = nPoints;
    // TinyXML gives a name of only white space no text child at all.
    const char* szText = pElement->GetText();
    const std::string text = szText ? szText : "";
    CopyName(bUtf8 ? Utf8TextToBytes(text) : text, entry.szName);
}

bool IsWindowSide(int nSide)
{
    return nSide >= 1 && nSide <= MAX_WINDOW_SIDE;
}

// Anything odd in the element leaves that value at its default.
tDisplaySettings ReadDisplay(const TiXmlElement* pRoot)
{
    tDisplaySettings display;
    const TiXmlElement* pDisplay = pRoot->FirstChildElement("display");
    if (!pDisplay)
        return display;
    int nFullScreen = 0;
    display.bFullScreen =
        pDisplay->QueryIntAttribute("fullscreen", &nFullScreen) == TIXML_SUCCESS && nFullScreen == 1;
    int nWidth = 0;
    int nHeight = 0;
    if (pDisplay->QueryIntAttribute("width", &nWidth) == TIXML_SUCCESS &&
        pDisplay->QueryIntAttribute("height", &nHeight) == TIXML_SUCCESS && IsWindowSide(nWidth) &&
        IsWindowSide(nHeight))
    {
        display.nWindowWidth = nWidth;
        display.nWindowHeight = nHeight;
    }
    return display;
}

// The first entry of the action, if any.
const TiXmlElement* FindControl(const TiXmlElement* pControls, const char* szAction)
{
    for (const TiXmlElement* pEntry = pControls->FirstChildElement("control"); pEntry;
         pEntry = pEntry->NextSiblingElement("control"))
    {
        const char* szName = pEntry->Attribute("action");
        if (szName && std::strcmp(szName, szAction) == 0)
            return pEntry;
    }
    return nullptr;
}

// The entry's key and button, each when the entry names one the game knows; false when it names
// something unknown or lacks the key.
bool ReadControl(const TiXmlElement* pEntry, int nControl, tControlSettings& controls)
{
    bool bKnown = true;
    const unsigned char ucKey = CControls::KeyFromFileName(pEntry->Attribute("key"));
    if (ucKey != 0)
        controls.ucKeys[nControl] = ucKey;
    else
        bKnown = false;
    const char* szPad = pEntry->Attribute("pad");
    if (!szPad || !CControls::HasPadButton(nControl))
        return bKnown;
    const int nButton = CControls::PadButtonFromFileName(szPad);
    if (nButton == NO_PAD_BUTTON)
        return false;
    controls.cPadButtons[nControl] = static_cast<int8_t>(nButton);
    return bKnown;
}

tControlSettings ReadControls(const TiXmlElement* pRoot)
{
    tControlSettings controls = CControls::Defaults();
    const TiXmlElement* pControls = pRoot->FirstChildElement("controls");
    if (!pControls)
        return controls;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        const TiXmlElement* pEntry = FindControl(pControls, CControls::FileName(nControl));
        if (pEntry && !ReadControl(pEntry, nControl, controls))
            controls.ucFellBack = static_cast<uint8_t>(controls.ucFellBack | (1u << nControl));
    }
    CControls::Repair(controls);
    return controls;
}

// Walks what could be parsed; false when an element that a step needs is missing.
bool ReadDocument(const TiXmlDocument& doc, bool bUtf8, tGameSettings& settings)
{
    const TiXmlElement* pRoot = doc.FirstChildElement();
    if (!pRoot)
        return false;
    const TiXmlElement* pSound = pRoot->FirstChildElement("sound_settings");
    if (!pSound)
        return false;
    settings.fMusicVolume = static_cast<float>(ReadVolume(pSound, "music"));
    settings.fFXVolume = static_cast<float>(ReadVolume(pSound, "fx"));

    const TiXmlElement* pTable = pRoot->FirstChildElement("high_scores");
    if (!pTable)
        return false;
    // Only the first entry must be called "score"; the nine after it are its next sibling elements.
    const TiXmlElement* pScore = pTable->FirstChildElement("score");
    for (tHighScore& entry : settings.highScores)
    {
        if (!pScore)
            return false;
        ReadScore(pScore, bUtf8, entry);
        pScore = pScore->NextSiblingElement();
    }
    settings.display = ReadDisplay(pRoot);
    settings.controls = ReadControls(pRoot);
    return true;
}

bool ReadWholeFile(const char* szPath, std::string& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(CVKT_ResourcePath::Open(szPath, "rb"), &std::fclose);
    if (!file)
        return false;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    return std::ferror(file.get()) == 0;
}

// ---- Writing ----

int VolumeToInt(float fVolume)
{
    // Truncation toward zero; a value no int can hold is written as 0 rather than left undefined.
    if (!(fVolume > static_cast<float>(INT_MIN) && fVolume < static_cast<float>(INT_MAX)))
        return 0;
    return static_cast<int>(fVolume);
}

// After the table, where the walk of the older readers never looks, and only when it has something to
// say: a file of the defaults stays what it always was.
void AddDisplay(const tDisplaySettings& display, TiXmlElement& root)
{
    const bool bSized = IsWindowSide(display.nWindowWidth) && IsWindowSide(display.nWindowHeight);
    if (!display.bFullScreen && !bSized)
        return;
    auto* pDisplay = new TiXmlElement("display");
    pDisplay->SetAttribute("fullscreen", display.bFullScreen ? 1 : 0);
    if (bSized)
    {
        pDisplay->SetAttribute("width", display.nWindowWidth);
        pDisplay->SetAttribute("height", display.nWindowHeight);
    }
    root.LinkEndChild(pDisplay);
}

// After the display, for the same reason; only controls other than the defaults.
void AddControls(const tControlSettings& controls, TiXmlElement& root)
{
    if (controls == CControls::Defaults())
        return;
    auto* pControls = new TiXmlElement("controls");
    root.LinkEndChild(pControls);
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        auto* pEntry = new TiXmlElement("control");
        pEntry->SetAttribute("action", CControls::FileName(nControl));
        pEntry->SetAttribute("key", CControls::KeyFileName(controls.ucKeys[nControl]).c_str());
        if (CControls::HasPadButton(nControl))
            pEntry->SetAttribute("pad", CControls::PadButtonFileName(controls.cPadButtons[nControl]));
        pControls->LinkEndChild(pEntry);
    }
}

void BuildDocument(const tGameSettings& settings, TiXmlDocument& doc)
{
    doc.LinkEndChild(new TiXmlDeclaration("1.0", "utf-8", "yes"));
    auto* pRoot = new TiXmlElement("root");
    doc.LinkEndChild(pRoot);

    auto* pSound = new TiXmlElement("sound_settings");
    pSound->SetAttribute("music", VolumeToInt(settings.fMusicVolume));
    pSound->SetAttribute("fx", VolumeToInt(settings.fFXVolume));
    pRoot->LinkEndChild(pSound);

    auto* pTable = new TiXmlElement("high_scores");
    pRoot->LinkEndChild(pTable);
    for (const tHighScore& entry : settings.highScores)
    {
        auto* pScore = new TiXmlElement("score");
        pScore->SetAttribute("points", entry.nPoints > 0 ? entry.nPoints : 0);
        pScore->LinkEndChild(new TiXmlText(NameToText(entry.szName)));
        pTable->LinkEndChild(pScore);
    }
    AddDisplay(settings.display, *pRoot);
    AddControls(settings.controls, *pRoot);
}

// A symbolic link stays a link: its target is what gets replaced.
std::string TargetPath(const char* szPath)
{
    const std::string resolved = CVKT_ResourcePath::Resolve(szPath);
    std::unique_ptr<char, void (*)(void*)> real(::realpath(resolved.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : resolved;
}

// The mode the new file gets: the old file's, or what creating it would have given.
mode_t NewFileMode(const std::string& target)
{
    struct stat info;
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

CSettingsFile::SaveHook g_pfnSaveHook = nullptr;
size_t g_nWriteChunk = 0;

void AfterStep(CSettingsFile::eSaveStep step, size_t nBytes)
{
    if (g_pfnSaveHook)
        g_pfnSaveHook(step, nBytes);
}

// The new file, made beside the target so that the rename stays on one file system. Removed again
// unless it was renamed into place.
class CTempFile
{
public:
    CTempFile(const std::string& target, mode_t mode) : m_path(target + ".XXXXXX")
    {
        m_nFd = ::mkostemp(&m_path[0], O_CLOEXEC);
        if (m_nFd == -1)
        {
            m_path.clear();
            return;
        }
        ::fchmod(m_nFd, mode);
    }
    ~CTempFile()
    {
        if (m_nFd != -1)
            ::close(m_nFd);
        if (!m_path.empty() && !m_bRenamed)
            ::unlink(m_path.c_str());
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    bool IsOpen() const { return m_nFd != -1; }
    bool Write(const std::string& bytes)
    {
        size_t nDone = 0;
        while (nDone < bytes.size())
        {
            size_t nPiece = bytes.size() - nDone;
            if (g_nWriteChunk > 0)
                nPiece = std::min(nPiece, g_nWriteChunk);
            const ssize_t nWritten = ::write(m_nFd, bytes.data() + nDone, nPiece);
            if (nWritten < 0 && errno == EINTR)
                continue;
            if (nWritten <= 0)
                return false;
            nDone += static_cast<size_t>(nWritten);
            AfterStep(CSettingsFile::eSaveStep::Written, nDone);
        }
        return true;
    }
    // Puts the data on the disk and closes the file; false when either failed.
    bool Finish()
    {
        const bool bSynced = ::fsync(m_nFd) == 0;
        const bool bClosed = ::close(m_nFd) == 0;
        m_nFd = -1;
        return bSynced && bClosed;
    }
    bool RenameTo(const std::string& target)
    {
        m_bRenamed = std::rename(m_path.c_str(), target.c_str()) == 0;
        return m_bRenamed;
    }

private:
    std::string m_path;
    int m_nFd = -1;
    bool m_bRenamed = false;
};

void SyncDirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1)
        return;
    ::fsync(fd);
    ::close(fd);
}

// The old file is replaced only by a complete new one: until the rename it stays as it was.
bool WriteReplacing(const std::string& target, const std::string& bytes)
{
    CTempFile temp(target, NewFileMode(target));
    if (!temp.IsOpen())
        return false;
    AfterStep(CSettingsFile::eSaveStep::Created, 0);
    if (!temp.Write(bytes) || !temp.Finish())
        return false;
    AfterStep(CSettingsFile::eSaveStep::Synced, bytes.size());
    if (!temp.RenameTo(target))
        return false;
    AfterStep(CSettingsFile::eSaveStep::Renamed, bytes.size());
    SyncDirectoryOf(target);
    AfterStep(CSettingsFile::eSaveStep::DirectorySynced, bytes.size());
    return true;
}
} // namespace

tGameSettings CSettingsFile::Defaults()
{
    tGameSettings settings;
    settings.fMusicVolume = static_cast<float>(DEFAULT_VOLUME);
    settings.fFXVolume = static_cast<float>(DEFAULT_VOLUME);
    for (tHighScore& entry : settings.highScores)
    {
        entry.nPoints = 0;
        std::memcpy(entry.szName, "AAA", 4);
    }
    settings.display = tDisplaySettings();
    settings.controls = CControls::Defaults();
    return settings;
}

bool CSettingsFile::Load(const char* szPath, tGameSettings& settings)
{
    std::string bytes;
    if (!szPath || !ReadWholeFile(szPath, bytes))
    {
        settings = Defaults();
        return false;
    }
    return Parse(bytes, settings);
}

bool CSettingsFile::Parse(const std::string& bytes, tGameSettings& settings)
{
    settings = Defaults();
    try
    {
        const std::string text = PrepareText(bytes);
        // The game's own files and editors' files are UTF-8. Anything else is taken byte for byte in
        // TinyXML's legacy mode: the original game wrote 8-bit names raw under a "utf-8"
        // declaration, and TinyXML's UTF-8 mode takes such a byte before "<" for the start of a
        // longer character and rejects the whole file.
        const bool bUtf8 = IsValidUtf8(text);
        CKeepWhiteSpace keepWhiteSpace;
        TiXmlDocument doc;
        // A parse error is not the end: what could be parsed is read, and missing parts give the
        // defaults.
        doc.Parse(text.c_str(), nullptr, bUtf8 ? TIXML_ENCODING_UTF8 : TIXML_ENCODING_LEGACY);
        tGameSettings read = Defaults();
        if (!ReadDocument(doc, bUtf8, read))
            return false;
        settings = read;
        return true;
    }
    catch (...)
    {
        settings = Defaults();
        return false;
    }
}

bool CSettingsFile::Save(const char* szPath, const tGameSettings& settings)
{
    if (!szPath || !CVKT_DataLocation::GetInstance()->PrepareForWriting(szPath))
        return false;
    try
    {
        const std::string bytes = Serialize(settings);
        return !bytes.empty() && WriteReplacing(TargetPath(szPath), bytes);
    }
    catch (...)
    {
        return false;
    }
}

std::string CSettingsFile::Serialize(const tGameSettings& settings)
{
    TiXmlDocument doc;
    BuildDocument(settings, doc);
    // Through a memory stream, so that the bytes are exactly those TinyXML writes to a file.
    char* pBuffer = nullptr;
    size_t uSize = 0;
    FILE* pStream = ::open_memstream(&pBuffer, &uSize);
    if (!pStream)
        return std::string();
    doc.SaveFile(pStream);
    std::fclose(pStream);
    std::string bytes(pBuffer, uSize);
    std::free(pBuffer);
    return bytes;
}

void CSettingsFile::ReportFallBacks(const char* szPath, const tControlSettings& controls)
{
    if (controls.ucFellBack == 0)
        return;
    std::string actions;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (!(controls.ucFellBack & (1u << nControl)))
            continue;
        actions += actions.empty() ? "" : ", ";
        actions += CControls::Name(nControl);
    }
    const std::string text = std::string("The controls in ") + (szPath ? szPath : "the settings file") +
                             " name a key or pad button that cannot be used for " + actions +
                             "; the default is used instead.";
    CVKT_MessageBox::Show(nullptr, text.c_str(), ERROR_TITLE);
}

void CSettingsFile::SetSaveHook(SaveHook pfnHook, size_t nWriteChunk)
{
    g_pfnSaveHook = pfnHook;
    g_nWriteChunk = nWriteChunk;
}

bool CSettingsFile::InsertHighScore(tHighScore table[NUM_HIGH_SCORES], int nPoints, const char* szName)
{
    int nPosition = 0;
    while (nPosition < NUM_HIGH_SCORES && table[nPosition].nPoints >= nPoints)
        ++nPosition;
    if (nPosition == NUM_HIGH_SCORES)
        return false;
    for (int i = NUM_HIGH_SCORES - 1; i > nPosition; --i)
        table[i] = table[i - 1];
    table[nPosition].nPoints = nPoints;
    CopyName(szName ? szName : "", table[nPosition].szName);
    return true;
}
