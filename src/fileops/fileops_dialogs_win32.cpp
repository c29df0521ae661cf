#include "fileops/fileops_dialogs_win32.h"

#include "base/dialog_win32.h"
#include "base/entry_table.h"
#include "fileops/concatenate.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

constexpr int kDateField = 16, kTimeField = 10;  // 15 and 9 characters

void Put(char* field, std::size_t size, const std::string& text) { lstrcpynA(field, text.c_str(), static_cast<int>(size)); }

int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

// The selected line of one list (the first when none is) to the end of the other.
void MoveLine(HWND dialog, int from, int to) {
    HWND source = GetDlgItem(dialog, from);
    if (ListCount(source) <= 0) return;
    LRESULT selected = SendMessageA(source, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0) selected = 0;
    const std::string line = ListBoxLine(source, static_cast<int>(selected));
    SendDlgItemMessageA(dialog, to, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(source, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    const int left = ListCount(source);
    if (left > 0) SendMessageA(source, LB_SETCURSEL, static_cast<WPARAM>(selected < left ? selected : left - 1), 0);
}

}  // namespace

bool RunAttributeDialog(HINSTANCE instance, HWND owner, AttributeForm& form) {
    int archive = form.archive, readOnly = form.readOnly, hidden = form.hidden, system = form.system;
    int applyTimes = form.applyTimes;
    char cDate[kDateField], cTime[kTimeField], wDate[kDateField], wTime[kTimeField], aDate[kDateField];
    Put(cDate, sizeof cDate, form.creationDate), Put(cTime, sizeof cTime, form.creationTime);
    Put(wDate, sizeof wDate, form.writeDate), Put(wTime, sizeof wTime, form.writeTime);
    Put(aDate, sizeof aDate, form.accessDate);
    DialogRun run;
    run.Check(IDC_ATTR_ARCHIVE, archive);
    run.Check(IDC_ATTR_READONLY, readOnly);
    run.Check(IDC_ATTR_HIDDEN, hidden);
    run.Check(IDC_ATTR_SYSTEM, system);
    run.Check(IDC_ATTR_APPLY_TIMES, applyTimes);
    run.Edit(IDC_ATTR_CREATION_DATE, cDate, sizeof cDate);
    run.Edit(IDC_ATTR_CREATION_TIME, cTime, sizeof cTime);
    run.Edit(IDC_ATTR_WRITE_DATE, wDate, sizeof wDate);
    run.Edit(IDC_ATTR_WRITE_TIME, wTime, sizeof wTime);
    run.Edit(IDC_ATTR_ACCESS_DATE, aDate, sizeof aDate);
    run.init = [&form](HWND dialog) {
        for (int id = IDC_ATTR_CREATION_DATE; id <= IDC_ATTR_ACCESS_DATE; ++id)
            EnableWindow(GetDlgItem(dialog, id), form.timesEditable ? TRUE : FALSE);
        return TRUE;
    };
    if (!run.Run(instance, "FILE_ATTR", owner)) return false;
    form.archive = archive, form.readOnly = readOnly, form.hidden = hidden, form.system = system;
    form.applyTimes = applyTimes;
    form.creationDate = cDate, form.creationTime = cTime, form.writeDate = wDate, form.writeTime = wTime;
    form.accessDate = aDate;
    return true;
}

bool RunConcatDialog(HINSTANCE instance, HWND owner, const std::string& dir, const std::vector<std::string>& inputs,
                     const std::string& name, FileSystem& fs, std::string& said) {
    char target[kPathSize];
    Put(target, sizeof target, name);
    int binary = 0;
    DialogRun run;
    run.Edit(IDC_CAT_NAME, target, sizeof target);
    run.Check(IDC_CAT_BINARY, binary);
    run.init = [&inputs](HWND dialog) {
        for (const std::string& input : inputs)
            SendDlgItemMessageA(dialog, IDC_CAT_INPUTS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(input.c_str()));
        return TRUE;
    };
    run.command = [](HWND dialog, WPARAM wParam) {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDC_CAT_TO_ORDER || (id == IDC_CAT_INPUTS && code == LBN_DBLCLK))
            MoveLine(dialog, IDC_CAT_INPUTS, IDC_CAT_ORDER);
        else if (id == IDC_CAT_TO_INPUTS || (id == IDC_CAT_ORDER && code == LBN_DBLCLK))
            MoveLine(dialog, IDC_CAT_ORDER, IDC_CAT_INPUTS);
        else
            return false;
        return true;
    };
    run.accept = [&](HWND dialog) {
        ConcatRequest r;
        r.dir = dir, r.name = target, r.binary = binary != 0;
        r.unplaced = ListCount(GetDlgItem(dialog, IDC_CAT_INPUTS));
        HWND order = GetDlgItem(dialog, IDC_CAT_ORDER);
        for (int i = 0; i < ListCount(order); ++i) r.order.push_back(ListBoxLine(order, i));
        return Concatenate(r, fs, dialog, &said);
    };
    return run.Run(instance, "CATCOPY", owner);
}

}  // namespace qrn
