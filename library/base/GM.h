#pragma once

// Icons and buttons of message boxes. The engine asks for boxes without
// linking widgets, so it cannot name QMessageBox; the values are the same
// numbers, so that a displayer built on widgets passes them on as they are.
namespace GM {

enum Icon : int {
    NoIcon = 0,
    Information = 1,
    Warning = 2,
    Critical = 3,
    Question = 4
};

// Buttons combine with |; a request carries the combination to show and
// an answer the one button pressed.
enum StandardButton : int {
    NoButton = 0x00000000,
    Ok = 0x00000400,
    Save = 0x00000800,
    SaveAll = 0x00001000,
    Open = 0x00002000,
    Yes = 0x00004000,
    YesToAll = 0x00008000,
    No = 0x00010000,
    NoToAll = 0x00020000,
    Abort = 0x00040000,
    Retry = 0x00080000,
    Ignore = 0x00100000,
    Close = 0x00200000,
    Cancel = 0x00400000,
    Discard = 0x00800000,
    Help = 0x01000000,
    Apply = 0x02000000,
    Reset = 0x04000000,
    RestoreDefaults = 0x08000000
};

constexpr StandardButton operator|(StandardButton a, StandardButton b)
{
    return static_cast<StandardButton>(static_cast<int>(a) | static_cast<int>(b));
}

constexpr StandardButton operator&(StandardButton a, StandardButton b)
{
    return static_cast<StandardButton>(static_cast<int>(a) & static_cast<int>(b));
}

} // namespace GM
