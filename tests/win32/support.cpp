#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>

namespace qrntest {

TempTree::TempTree(const std::string& under) {
    static unsigned counter = 0;
    char base[MAX_PATH] = "";
    if (under.empty()) GetTempPathA(sizeof base, base);
    else std::snprintf(base, sizeof base, "%s", under.c_str());
    do path_ = base + ("qrntest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter)) + "\\";
    while (!CreateDirectoryA(path_.c_str(), nullptr));
}

TempTree::~TempTree() {
    SetCurrentDirectoryA((path_ + "..").c_str());  // leave it so that it can go
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempTree::File(const std::string& name, const std::string& content, DWORD attributes) const {
    std::ofstream(path_ + name, std::ios::binary) << content;
    if (attributes) SetFileAttributesA((path_ + name).c_str(), attributes);
}

std::string MappedDrive(const char* name) {
    const char* letter = std::getenv(("QRN_TEST_" + std::string(name) + "_DRIVE").c_str());
    EXPECT_TRUE(letter && letter[0]) << "QRN_TEST_" << name << "_DRIVE is set by the runner (scripts/test)";
    return std::string(1, letter ? letter[0] : '?') + ":\\";
}

std::string DoublePath(const char* name) {
    char exe[MAX_PATH];
    const std::string self(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    return self.substr(0, self.rfind('\\')) + "\\..\\doubles\\" + name;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A hook sees each dialog's WM_INITDIALOG; the dialog is then subclassed and
// posted its steps, so that each runs from the dialog's own loop.
namespace {

constexpr UINT kStepMessage = WM_APP + 0x51;
std::deque<DialogScript*> g_armed;

LRESULT CALLBACK ScriptedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* script = static_cast<DialogScript*>(GetPropA(dialog, "qrntest.script"));
    if (msg != kStepMessage)
        return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(dialog, "qrntest.proc")), dialog, msg, wParam, lParam);
    if (script && script->next < script->steps.size()) {
        script->steps[script->next++](dialog);
        PostMessageA(dialog, kStepMessage, 0, 0);  // gone with the dialog if the step closed it
        return 0;
    }
    if (script) script->leftOpen = true;
    EndDialog(dialog, IDCANCEL);
    return 0;
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITDIALOG && !(GetWindowLongA(m->hwnd, GWL_STYLE) & WS_CHILD)) {
        DialogScript* script = g_armed.empty() ? nullptr : g_armed.front();
        if (script) {
            g_armed.pop_front();
            script->dialog = m->hwnd;
        }
        SetPropA(m->hwnd, "qrntest.script", script);
        SetPropA(m->hwnd, "qrntest.proc", reinterpret_cast<HANDLE>(GetWindowLongPtrA(m->hwnd, GWLP_WNDPROC)));
        SetWindowLongPtrA(m->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScriptedDialogProc));
        PostMessageA(m->hwnd, kStepMessage, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> s) : steps(std::move(s)) {
    static const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(nullptr, hook);
    g_armed.push_back(this);
}

DialogScript::~DialogScript() { g_armed.erase(std::remove(g_armed.begin(), g_armed.end(), this), g_armed.end()); }

std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id) {
    ASSERT_TRUE(Enabled(dialog, id)) << "button " << id << " is disabled or missing";
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

}  // namespace qrntest
