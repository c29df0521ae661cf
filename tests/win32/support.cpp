#include "support.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qrntest {

namespace {

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = f.cFileName, full = dir + "\\" + name;
            if (name == "." || name == "..") continue;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string TempFolder() {
    char base[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base) throw std::runtime_error("no temporary folder");
    return base;
}

}  // namespace

TempTree::TempTree() {
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%sqrntest-%lu-%u", TempFolder().c_str(), GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = std::string(name) + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary tree");
    }
}

TempTree::~TempTree() {
    SetCurrentDirectoryA(TempFolder().c_str());  // leave the tree so that it can go
    RemoveTree(path_.substr(0, path_.size() - 1));
}

void TempTree::File(const std::string& name, const std::string& content, DWORD attributes) const {
    const std::string full = path_ + name;
    HANDLE f = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + full);
    DWORD written;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(f);
    if (attributes) SetFileAttributesA(full.c_str(), attributes);
}

void TempTree::Dir(const std::string& name) const {
    if (!CreateDirectoryA((path_ + name).c_str(), nullptr)) throw std::runtime_error("cannot create " + name);
}

char MappedDrive(const char* name) {
    char var[64], value[8] = "";
    std::snprintf(var, sizeof var, "QRN_TEST_%s_DRIVE", name);
    const DWORD n = GetEnvironmentVariableA(var, value, sizeof value);
    EXPECT_TRUE(n > 0 && n < sizeof value) << var << " is set by the runner (scripts/test)";
    return value[0];
}

std::string DoublePath(const char* name) {
    char exe[MAX_PATH];
    const std::string self(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    return self.substr(0, self.rfind('\\')) + "\\..\\doubles\\" + name;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WaitForProgram(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, snapshot);
    PROCESSENTRY32 p{};
    p.dwSize = sizeof p;
    for (BOOL more = Process32First(snapshot, &p); more; more = Process32Next(snapshot, &p)) {
        const char* base = std::strrchr(p.szExeFile, '\\');
        if (lstrcmpiA(base ? base + 1 : p.szExeFile, exeName) != 0) continue;
        if (HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, p.th32ProcessID)) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(h, 30000)) << exeName << " did not end";
            CloseHandle(h);
        }
    }
    CloseHandle(snapshot);
}

// The dialog driver. A hook sees each dialog's WM_INITDIALOG; the dialog is
// then subclassed and sent its steps as posted messages, so that every step
// runs from the dialog's own loop, after what the previous one queued.
namespace {

constexpr UINT kStepMessage = WM_APP + 0x51;
constexpr const char* kScriptProp = "qrntest.script";
constexpr const char* kProcProp = "qrntest.proc";
std::deque<DialogScript*> g_armed;
int g_strays = 0;

LRESULT CALLBACK ScriptedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(dialog, kProcProp));
    if (msg == kStepMessage) {
        auto* script = static_cast<DialogScript*>(GetPropA(dialog, kScriptProp));
        if (script == nullptr || script->next == script->steps.size()) {
            if (script) script->leftOpen = true;
            else ++g_strays;
            EndDialog(dialog, IDCANCEL);
        } else {
            script->steps[script->next++](dialog);
            if (IsWindow(dialog)) PostMessageA(dialog, kStepMessage, 0, 0);
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(dialog, kScriptProp);
        RemovePropA(dialog, kProcProp);
    }
    return CallWindowProcA(original, dialog, msg, wParam, lParam);
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITDIALOG && !(GetWindowLongA(m->hwnd, GWL_STYLE) & WS_CHILD) &&
        !GetPropA(m->hwnd, kProcProp)) {
        DialogScript* script = nullptr;
        if (!g_armed.empty()) {
            script = g_armed.front();
            g_armed.pop_front();
            script->dialog = m->hwnd;
        }
        SetPropA(m->hwnd, kScriptProp, script);
        SetPropA(m->hwnd, kProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrA(m->hwnd, GWLP_WNDPROC)));
        SetWindowLongPtrA(m->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScriptedDialogProc));
        PostMessageA(m->hwnd, kStepMessage, 0, 0);
        SetWindowLongA(m->hwnd, GWL_STYLE, GetWindowLongA(m->hwnd, GWL_STYLE) | WS_VISIBLE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> s) : steps(std::move(s)) {
    static HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(nullptr, hook);
    g_armed.push_back(this);
}

DialogScript::~DialogScript() { g_armed.erase(std::remove(g_armed.begin(), g_armed.end(), this), g_armed.end()); }

int StrayDialogs() { return g_strays; }

std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
std::string Text(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) {
    HWND b = GetDlgItem(dialog, id);
    ASSERT_NE(nullptr, b);
    ASSERT_TRUE(IsWindowEnabled(b)) << "button " << id << " is disabled";
    SendMessageA(b, BM_CLICK, 0, 0);
}

}  // namespace qrntest
