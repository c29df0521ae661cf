// Dialogs: the state a procedure works on, and one modal run that owns OK,
// Cancel and the close box and binds controls to fields.
#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/settings.h"

namespace qrn {

// The state of a dialog procedure, bound at WM_INITDIALOG from its lParam;
// null for the messages that come before it.
template <class T>
T* DialogState(HWND dialog, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The whole text of a control of a dialog, and one line of a list box.
std::string DialogText(HWND dialog, int id);
std::string ListBoxLine(HWND list, int index);

// OK or Cancel (Enter or Escape too).
inline bool IsOkOrCancel(UINT msg, WPARAM wParam) {
    return msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
}

// One modal dialog. Its binders show their fields when it opens; OK reads
// them back, asks accept and ends the run with true; Cancel and the close box
// end it with false, fields untouched.
class DialogRun {
public:
    // A check box: checked shows on, read back as on or off.
    void Check(int id, int& field, int on = 1, int off = 0);
    // An edit limited to size-1 bytes; read back cut at a whole character.
    void Edit(int id, char* text, std::size_t size);
    // Radio buttons first..last, the first standing for firstValue; none
    // checked leaves the field as it was.
    void Radio(int first, int last, int& field, int firstValue);
    // An up-down control and its buddy edit, bounded to [lo, hi]; a buddy
    // that holds no number leaves the field as it was.
    void Spin(int upDown, int buddy, int& field, int lo, int hi);
    // A setup page: each row on the field of its key in s.
    void Bind(Settings& s, std::span<const SetupRow> page);

    // WM_INITDIALOG before the binders show their fields (lists filled,
    // controls made): its answer is the message's (FALSE when it set the
    // focus itself).
    std::function<BOOL(HWND)> init;
    // The dialog's own WM_COMMAND ids, before OK and Cancel: true when handled.
    std::function<bool(HWND, WPARAM)> command;
    // On OK after the read-back: false keeps the dialog open.
    std::function<bool(HWND)> accept;

    // Runs the dialog of template name. True when it ended with OK.
    bool Run(HINSTANCE instance, const char* name, HWND owner);
    // For the hooks: the fields read back, OK as its button does, the end.
    void ReadBack(HWND dialog) const;
    void Confirm(HWND dialog);
    void End(HWND dialog, bool ok) { EndDialog(dialog, ok ? IDOK : IDCANCEL); }

private:
    enum class Kind { Check, Edit, Radio, Spin };
    struct Binder {
        Kind kind;
        int id, other;  // the last radio button; the spin's buddy
        void* field;
        std::size_t size;
        int a, b;  // on and off; the first radio's value; the spin's range
    };
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    static void Show(HWND dialog, const Binder& b);
    static void Read(HWND dialog, const Binder& b);
    std::vector<Binder> binders_;
};

}  // namespace qrn
