#include "base/dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "base/sjis.h"

namespace qrn {

std::string DialogText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(std::max(GetWindowTextLengthA(control), 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextA(control, &text[0], static_cast<int>(text.size())), 0)));
    return text;
}

std::string ListBoxLine(HWND list, int index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == LB_ERR || got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

void DialogRun::Check(int id, int& field, int on, int off) {
    binders_.push_back({Kind::Check, id, 0, &field, 0, on, off});
}

void DialogRun::Edit(int id, char* text, std::size_t size) {
    if (size > 0) binders_.push_back({Kind::Edit, id, 0, text, size, 0, 0});
}

void DialogRun::Radio(int first, int last, int& field, int firstValue) {
    binders_.push_back({Kind::Radio, first, last, &field, 0, firstValue, 0});
}

void DialogRun::Spin(int upDown, int buddy, int& field, int lo, int hi) {
    binders_.push_back({Kind::Spin, upDown, buddy, &field, 0, lo, hi});
}

void DialogRun::Bind(Settings& s, std::span<const SetupRow> page) {
    for (const SetupRow& row : page) {
        void* field = FieldOf(s, row.key);
        const bool text = KeyOf(row.key).type == KeyType::Text;
        if (!field || text != (row.kind == BindKind::Edit)) continue;
        int* const value = static_cast<int*>(field);  // a number's field (not read for a text)
        switch (row.kind) {
        case BindKind::Check: Check(row.id, *value, row.hi, row.lo); break;
        case BindKind::Edit: Edit(row.id, static_cast<char*>(field), KeyOf(row.key).size); break;
        case BindKind::Radio: Radio(row.id, row.last, *value, row.lo); break;
        case BindKind::Spin: Spin(row.id, row.last, *value, row.lo, row.hi); break;
        }
    }
}

void DialogRun::Show(HWND dialog, const Binder& b) {
    int* const value = static_cast<int*>(b.field);  // a number's field (not read for a text)
    switch (b.kind) {
    case Kind::Check:
        CheckDlgButton(dialog, b.id, *value == b.a ? BST_CHECKED : BST_UNCHECKED);
        break;
    case Kind::Edit:
        SendDlgItemMessageA(dialog, b.id, EM_LIMITTEXT, b.size - 1, 0);
        SetDlgItemTextA(dialog, b.id, static_cast<const char*>(b.field));
        break;
    case Kind::Radio:
        if (*value >= b.a && *value <= b.a + (b.other - b.id))
            CheckRadioButton(dialog, b.id, b.other, b.id + *value - b.a);
        break;
    case Kind::Spin: {
        HWND upDown = GetDlgItem(dialog, b.id);
        SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, b.other)), 0);
        SendMessageA(upDown, UDM_SETRANGE32, static_cast<WPARAM>(b.a), b.b);
        const int shown = std::clamp(*value, b.a, b.b);
        SendMessageA(upDown, UDM_SETPOS32, 0, shown);
        SetDlgItemInt(dialog, b.other, static_cast<UINT>(shown), TRUE);
        break;
    }
    }
}

void DialogRun::Read(HWND dialog, const Binder& b) {
    int* const value = static_cast<int*>(b.field);  // a number's field (not read for a text)
    switch (b.kind) {
    case Kind::Check:
        *value = IsDlgButtonChecked(dialog, b.id) == BST_CHECKED ? b.a : b.b;
        break;
    case Kind::Edit: {
        HWND edit = GetDlgItem(dialog, b.id);
        std::vector<char> text(static_cast<std::size_t>(std::max(GetWindowTextLengthA(edit), 0)) + 1, '\0');
        GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
        CopyCut(static_cast<char*>(b.field), b.size, text.data());
        break;
    }
    case Kind::Radio:
        for (int id = b.id; id <= b.other; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) *value = b.a + id - b.id;
        break;
    case Kind::Spin: {
        BOOL number = FALSE;
        const int typed = static_cast<int>(GetDlgItemInt(dialog, b.other, &number, TRUE));
        if (number) *value = std::clamp(typed, b.a, b.b);
        break;
    }
    }
}

void DialogRun::ReadBack(HWND dialog) const {
    for (const Binder& b : binders_) Read(dialog, b);
}

void DialogRun::Confirm(HWND dialog) {
    ReadBack(dialog);
    if (!accept || accept(dialog)) End(dialog, true);
}

INT_PTR CALLBACK DialogRun::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogRun* run = DialogState<DialogRun>(dialog, msg, lParam);
    if (!run) return FALSE;
    switch (msg) {
    case WM_INITDIALOG: {
        const BOOL answer = run->init ? run->init(dialog) : TRUE;
        for (const Binder& b : run->binders_) Show(dialog, b);
        return answer;
    }
    case WM_COMMAND:
        if (run->command && run->command(dialog, wParam)) return TRUE;
        if (LOWORD(wParam) == IDOK) run->Confirm(dialog);
        else if (LOWORD(wParam) == IDCANCEL) run->End(dialog, false);
        else return FALSE;
        return TRUE;
    case WM_CLOSE:
        run->End(dialog, false);
        return TRUE;
    default:
        return FALSE;
    }
}

bool DialogRun::Run(HINSTANCE instance, const char* name, HWND owner) {
    return DialogBoxParamA(instance, name, owner, Proc, reinterpret_cast<LPARAM>(this)) == IDOK;
}

}  // namespace qrn
