#pragma once
// A loaded main window with a scripted keyboard; the forms are unloaded afterwards so that
// tests run in one process do not share windows.
#include "app/frm_main.h"
#include "patterns/frm_test.h"
#include "support/scripted_keyboard.h"
#include <gtest/gtest.h>

namespace vx::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        kb = &installScriptedKeyboard();
        main = &SharedForm<frmMain>::get();
        main->Load();
    }
    void TearDown() override {
        SharedForm<frmTest>::unload();
        SharedForm<frmMain>::unload();
        SharedForm<frmTest>::release();
        SharedForm<frmMain>::release();
        win::setKeyboardSource(nullptr);
    }
    frmTest& test() { return SharedForm<frmTest>::get(); }
    bool testLoaded() { return SharedForm<frmTest>::exists() && test().IsLoaded(); }

    ScriptedKeyboard* kb = nullptr;
    frmMain* main = nullptr;
};

} // namespace vx::test
