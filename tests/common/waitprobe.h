#pragma once
// What the tables of waiting actions crossed with interfering actions share: the checks that
// hold after every pair, and the pairs' names.

#include "platform/waits.h"
#include "toolkit/form.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace waitprobe {

// A window of the program is shown, and nothing holds the candidate's input or the mouse.
inline void expectShownAndFree()
{
    bool shown = false;
    for (QWidget* top : QApplication::topLevelWidgets())
        shown = shown || (qobject_cast<tk::Form*>(top) && top->isVisible());
    EXPECT_TRUE(shown) << "no window of the program is shown";
    EXPECT_FALSE(platform::isHoldingInput());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

// "Waiting_Interfering" for the pair (waiting index, interfering index) of two tables of actions
// that have a `name`.
template <class Waiting, class Interfering>
auto pairName(const Waiting& waiting, const Interfering& interfering)
{
    return [&waiting, &interfering](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
        return std::string(waiting().at(size_t(std::get<0>(info.param))).name) + "_" +
               interfering().at(size_t(std::get<1>(info.param))).name;
    };
}

} // namespace waitprobe
