// SPDX-License-Identifier: GPL-3.0-or-later
// Gamepads, through SDL's virtual pad: SDL's own controller events, the
// program's reader thread and the window's handler, as with a real pad. A
// scripted game steered by the pad leaves the transcript the same script
// leaves on the keyboard; a pad unplugged and plugged in again is found.
//
// A program of its own: it links SDL, which the window tests do not, so that
// there the program finds no SDL loaded and no pad.

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GuiTest.h"

namespace {

// One of SDL's virtual pads, with every button and axis of a gamepad.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1U << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1U << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "Virtual pad";
        const int nIndex = SDL_JoystickAttachVirtualEx(&desc);
        m_pJoystick = nIndex >= 0 ? SDL_JoystickOpen(nIndex) : nullptr;
    }
    ~VirtualPad() { Unplug(); }

    bool Plugged() const { return m_pJoystick != nullptr; }
    void Unplug() {
        if (m_pJoystick == nullptr) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(m_pJoystick);
        SDL_JoystickClose(m_pJoystick);
        m_pJoystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
    }
    void Button(SDL_GameControllerButton button, bool bDown) {
        SDL_JoystickSetVirtualButton(m_pJoystick, button, bDown ? 1 : 0);
    }
    void Stick(Sint16 x, Sint16 y) {
        SDL_JoystickSetVirtualAxis(m_pJoystick, SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(m_pJoystick, SDL_CONTROLLER_AXIS_LEFTY, y);
    }

private:
    SDL_Joystick* m_pJoystick = nullptr;
};

// One step of a script: a direction, Start (Pause on the keyboard), the
// left stick pushed one way or let go, or ticks of the game timer.
enum class Step {
    kUp,
    kDown,
    kLeft,
    kRight,
    kStart,
    kStickUp,
    kStickRight,
    kStickLeft,
    kStickFree,
    kTick
};

class GamepadTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    }
    void TearDown() override {
        m_pPad.reset();
        GuiTest::TearDown();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    // The program's reader has looked, and what it found has reached the window.
    void Settle() {
        App().Gamepads().Refresh();
        Flush();
    }
    // Waits until the program has nOpen pads open.
    bool WaitForPads(int nOpen) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            Settle();
            if (App().Gamepads().OpenCount() == nOpen) return true;
            QTest::qWait(10);
        }
        return false;
    }
    void Plug() {
        m_pPad = std::make_unique<VirtualPad>();
        ASSERT_TRUE(m_pPad->Plugged()) << SDL_GetError();
        ASSERT_TRUE(WaitForPads(1)) << "the program did not find the pad";
    }
    void PressButton(SDL_GameControllerButton button) {
        m_pPad->Button(button, true);
        Settle();
        m_pPad->Button(button, false);
        Settle();
    }

    // Plays steps, with the pad (bPad) or the keyboard; a line of what the
    // window shows after each.
    std::vector<std::string> Play(const std::vector<Step>& steps, bool bPad) {
        std::vector<std::string> lines;
        for (Step step : steps) {
            if (step == Step::kTick) {
                Tick();
            } else if (bPad) {
                PadStep(step);
            } else {
                KeyStep(step);
            }
            Flush();
            lines.push_back(QStringLiteral("dir %1 paused %2 head %3,%4 score %5 | %6")
                                .arg(Doc().m_nDirection)
                                .arg(Doc().m_bPaused)
                                .arg(Doc().m_nHeadX)
                                .arg(Doc().m_nHeadY)
                                .arg(Doc().m_nScore)
                                .arg(Pane(0))
                                .toStdString());
        }
        return lines;
    }

    std::unique_ptr<VirtualPad> m_pPad;

private:
    void PadStep(Step step) {
        switch (step) {
            case Step::kUp:
                return PressButton(SDL_CONTROLLER_BUTTON_DPAD_UP);
            case Step::kDown:
                return PressButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
            case Step::kLeft:
                return PressButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
            case Step::kRight:
                return PressButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            case Step::kStart:
                return PressButton(SDL_CONTROLLER_BUTTON_START);
            case Step::kStickUp:
                m_pPad->Stick(0, -32767);
                break;
            case Step::kStickRight:
                m_pPad->Stick(30000, -8000);
                break;
            case Step::kStickLeft:
                m_pPad->Stick(-32767, 0);
                break;
            case Step::kStickFree:
                m_pPad->Stick(0, 0);
                break;
            case Step::kTick:
                break;
        }
        Settle();
    }
    void KeyStep(Step step) {
        static const std::map<Step, Qt::Key> kKeys = {{Step::kUp, Qt::Key_Up},
                                                      {Step::kDown, Qt::Key_Down},
                                                      {Step::kLeft, Qt::Key_Left},
                                                      {Step::kRight, Qt::Key_Right},
                                                      {Step::kStart, Qt::Key_Pause},
                                                      {Step::kStickUp, Qt::Key_Up},
                                                      {Step::kStickRight, Qt::Key_Right},
                                                      {Step::kStickLeft, Qt::Key_Left}};
        // A stick let go is no key at all.
        if (auto it = kKeys.find(step); it != kKeys.end()) QTest::keyClick(&View(), it->second);
    }
};

}  // namespace

TEST_F(GamepadTest, APadPlaysAScriptedGameExactlyAsTheKeyboardDoes) {
    WriteSettings({});
    StartApp();
    Plug();
    using S = Step;
    const std::vector<Step> script = {
        S::kStart,      S::kTick,  // nothing to pause before the first move
        S::kLeft,       S::kTick,      S::kTick,
        S::kRight,      S::kTick,                 // the way back is refused
        S::kStart,      S::kTick,      S::kTick,  // paused: the crawler stands
        S::kStart,      S::kTick,                 // and goes on
        S::kUp,         S::kTick,      S::kTick,
        S::kStart,      S::kDown,      S::kTick,  // a refused direction still ends a pause
        S::kStickRight, S::kTick,      S::kTick,
        S::kStickUp,    S::kTick,  // the stick turned on, not let go
        S::kStickFree,  S::kTick,      S::kStickLeft,
        S::kTick,       S::kStickFree,
    };
    const std::vector<std::string> keyboard = Play(script, false);
    // A new game on the same board (the seed is the same) for the pad.
    QTest::keyClick(&View(), Qt::Key_F2);
    Flush();
    const std::vector<std::string> pad = Play(script, true);
    EXPECT_EQ(pad, keyboard);

    // The script did what it says: it paused and it moved.
    const auto nPaused = std::count_if(keyboard.begin(), keyboard.end(), [](const std::string& s) {
        return s.find("paused 1") != std::string::npos;
    });
    EXPECT_GE(nPaused, 3);
    EXPECT_NE(keyboard.back(), keyboard.front());
}

TEST_F(GamepadTest, APadUnpluggedAndPluggedInAgainIsFoundAndSteers) {
    WriteSettings({});
    StartApp();
    Plug();
    m_pPad->Unplug();
    ASSERT_TRUE(WaitForPads(0)) << "the program kept the pad that was unplugged";
    Plug();
    PressButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(Doc().m_nDirection, dirDown);
    PressButton(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(Doc().m_bPaused);
}

TEST_F(GamepadTest, APadDoesNothingWhileADialogIsOpen) {
    WriteSettings({});
    StartApp();
    Plug();
    ModalDriver driver;
    driver.Expect(
        "the High Scores dialog", [](QWidget* w) { return w->inherits("QDialog"); },
        [&](QWidget* w) {
            PressButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
            EXPECT_EQ(Doc().m_nDirection, dirNone);
            QTest::keyClick(w, Qt::Key_Escape);
        });
    QTest::keyClick(&View(), Qt::Key_H, Qt::ControlModifier);
    ExpectDriverDone(driver);
    ActivateFrame();
    PressButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(Doc().m_nDirection, dirLeft);
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int nResult = RUN_ALL_TESTS();
    // What SDL keeps until it ends (its mappings, its lists) is given back.
    SDL_Quit();
    return nResult;
}
