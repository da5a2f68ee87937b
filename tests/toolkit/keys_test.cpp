// Virtual-key codes of the physical keys and the shift bits.

#include "toolkit/keys.h"

#include <gtest/gtest.h>

TEST(Keys, VirtualKeyOfTheKeyNotOfTheCharacter)
{
    constexpr auto S = Qt::ShiftModifier;
    constexpr auto K = Qt::KeypadModifier;
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        quint32 scan; // X keyboard code, 0 where the platform gives none
        int vk;
    } rows[] = {
        {Qt::Key_Slash, {}, 0, 191},       {Qt::Key_Question, S, 0, 191},   {Qt::Key_Period, {}, 0, 190},
        {Qt::Key_Greater, S, 0, 190},      {Qt::Key_A, {}, 0, 65},          {Qt::Key_Z, S, 0, 90},
        {Qt::Key_Exclam, S, 0, 49},        {Qt::Key_0, {}, 0, 48},          {Qt::Key_F1, {}, 0, 112},
        {Qt::Key_F12, {}, 0, 123},         {Qt::Key_Return, {}, 0, 13},     {Qt::Key_Delete, {}, 0, 46},
        {Qt::Key_Escape, {}, 0, 27},       {Qt::Key_Space, {}, 0, 32},      {Qt::Key_Down, {}, 0, 40},
        {Qt::Key_0, K, 0, 96},             {Qt::Key_5, K, 0, 101},          {Qt::Key_Asterisk, K, 0, 106},
        {Qt::Key_Period, K, 0, 110},       {Qt::Key_Slash, K, 0, 111},      {Qt::Key_Enter, K, 0, 13},
        {Qt::Key_Home, K, 0, 36}, // keypad 7 without Num Lock
        // with the platform's key codes the key's place decides, whatever it types
        {Qt::Key_Question, S, 61, 191},    {Qt::Key_Ampersand, {}, 10, 49}, {Qt::Key_F8, {}, 74, 119},
        {Qt::Key_Q, {}, 38, 81}, // letters follow the layout
        {Qt::Key_unknown, {}, 200, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(tk::virtualKey(r.key, r.mods, r.scan), r.vk) << std::hex << r.key << " scan " << std::dec << r.scan;
}

TEST(Keys, ShiftBits)
{
    EXPECT_EQ(tk::shiftState({}), 0);
    EXPECT_EQ(tk::shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(tk::shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(tk::shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
}
