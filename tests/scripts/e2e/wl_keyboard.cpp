// A keyboard for the end-to-end tests on a Wayland compositor: one virtual keyboard (the
// virtual-keyboard protocol of wlroots compositors) that types what standard input says, one
// command a line:
//   down <key>   up <key>      <key> is an X keysym name: space, Return, F11, Alt_L, Up, a ...
// The full keymap of the default layout (XKB_DEFAULT_* or us) reaches the compositor before any
// key, and the modifiers follow every key as the keymap defines them, as a real keyboard's driver
// sends them. "ready" is printed once the keymap is in, and "ok" (or "error: ...") after each
// command, once the compositor has taken it. Ends at the end of its input.
#include "virtual-keyboard-client-protocol.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <sstream>
#include <string>

namespace
{
struct Globals
{
    wl_seat* seat = nullptr;
    zwp_virtual_keyboard_manager_v1* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    Globals* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        globals->manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemoved};

uint32_t NowMs()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

class Keyboard
{
public:
    Keyboard(wl_display* display, zwp_virtual_keyboard_v1* keyboard, xkb_keymap* keymap)
        : m_display(display), m_keyboard(keyboard), m_keymap(keymap), m_state(xkb_state_new(keymap))
    {
    }
    ~Keyboard() { xkb_state_unref(m_state); }

    // The keymap as text in a sealed memory file; the compositor maps it.
    bool SendKeymap()
    {
        char* text = xkb_keymap_get_as_string(m_keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
        if (!text)
            return false;
        const size_t size = std::strlen(text) + 1;
        const int fd = memfd_create("keymap", MFD_CLOEXEC);
        const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
        std::free(text);
        if (written)
            zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                           static_cast<uint32_t>(size));
        if (fd >= 0)
            close(fd);
        return written && wl_display_roundtrip(m_display) >= 0;
    }

    // Runs one command line; an empty string when it was carried out, else what went wrong.
    std::string Run(const std::string& line)
    {
        std::istringstream words(line);
        std::string action, name;
        words >> action >> name;
        if (action != "down" && action != "up")
            return "unknown command '" + action + "'";
        const xkb_keycode_t code = KeyFor(name);
        if (code == XKB_KEYCODE_INVALID)
            return "no key gives '" + name + "'";
        const bool down = action == "down";
        // Evdev codes are the keymap's codes less 8.
        zwp_virtual_keyboard_v1_key(m_keyboard, NowMs(), code - 8,
                                    down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
        xkb_state_update_key(m_state, code, down ? XKB_KEY_DOWN : XKB_KEY_UP);
        SendModifiers();
        if (wl_display_roundtrip(m_display) < 0)
            return "the compositor went away";
        return "";
    }

private:
    void SendModifiers()
    {
        const uint32_t depressed = xkb_state_serialize_mods(m_state, XKB_STATE_MODS_DEPRESSED);
        const uint32_t latched = xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LATCHED);
        const uint32_t locked = xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LOCKED);
        const uint32_t group = xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE);
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, depressed, latched, locked, group);
    }

    // The first key whose unshifted symbol of the first layout is the named keysym.
    xkb_keycode_t KeyFor(const std::string& name) const
    {
        xkb_keysym_t wanted = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
        if (wanted == XKB_KEY_NoSymbol)
            wanted = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
        if (wanted == XKB_KEY_NoSymbol)
            return XKB_KEYCODE_INVALID;
        for (xkb_keycode_t code = xkb_keymap_min_keycode(m_keymap); code <= xkb_keymap_max_keycode(m_keymap);
             ++code)
        {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(m_keymap, code, 0, 0, &syms);
            if (count == 1 && syms[0] == wanted)
                return code;
        }
        return XKB_KEYCODE_INVALID;
    }

    wl_display* m_display;
    zwp_virtual_keyboard_v1* m_keyboard;
    xkb_keymap* m_keymap;
    xkb_state* m_state;
};

int Fail(const char* what)
{
    std::fprintf(stderr, "wl_keyboard: %s\n", what);
    return 1;
}
} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return Fail("no Wayland display (WAYLAND_DISPLAY, XDG_RUNTIME_DIR)");
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.manager)
        return Fail("the compositor offers no seat or no virtual keyboards");

    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    // Null names: the defaults, which XKB_DEFAULT_RULES, _MODEL, _LAYOUT, ... may change.
    xkb_keymap* keymap =
        context ? xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    if (!keymap)
        return Fail("cannot compile the default keymap");
    zwp_virtual_keyboard_v1* device =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.manager, globals.seat);
    int status = 0;
    {
        Keyboard keyboard(display, device, keymap);
        if (!keyboard.SendKeymap())
            return Fail("the keymap did not reach the compositor");
        std::cout << "ready" << std::endl;
        std::string line;
        while (std::getline(std::cin, line))
        {
            if (line.empty())
                continue;
            const std::string error = keyboard.Run(line);
            std::cout << (error.empty() ? "ok" : "error: " + error) << std::endl;
            if (error == "the compositor went away")
            {
                status = 1;
                break;
            }
        }
    }
    zwp_virtual_keyboard_v1_destroy(device);
    zwp_virtual_keyboard_manager_v1_destroy(globals.manager);
    wl_seat_destroy(globals.seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return status;
}
