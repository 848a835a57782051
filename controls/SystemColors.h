#pragma once

#include <QColor>

// The system colours the window uses, with their classic desktop values, so that the window
// looks the same whatever theme the desktop has.
namespace syscolors {

inline QColor btnFace()
{
    return {240, 240, 240};
}
inline QColor btnHighlight()
{
    return {255, 255, 255};
}
inline QColor btnShadow()
{
    return {160, 160, 160};
}
inline QColor window()
{
    return {255, 255, 255};
}
inline QColor windowText()
{
    return {0, 0, 0};
}
inline QColor yellow()
{
    return {255, 255, 0};
}
inline QColor red()
{
    return {255, 0, 0};
}

} // namespace syscolors
