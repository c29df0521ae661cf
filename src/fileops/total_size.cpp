#include "fileops/total_size.h"

#include <cstdio>
#include <vector>

#include "base/selection.h"
#include "fileops/fileops_texts.h"
#include "listing/list_format.h"

namespace qrn {

namespace {

std::string Number(std::uint64_t value, int width) {
    char text[40];
    FormatNumber(text, sizeof text, value, width);
    return text;
}

std::string Formatted(const char* format, const std::string& a, const std::string& b = "") {
    std::vector<char> text(std::char_traits<char>::length(format) + a.size() + b.size() + 1);
    std::snprintf(text.data(), text.size(), format, a.c_str(), b.c_str());
    return text.data();
}

constexpr std::uint64_t kShowEveryMs = 100;  // the running count is drawn this often

class SizeWalk {
public:
    SizeWalk(FileSystem& fs, OperationUi& ui, SizeTotal& total) : fs_(fs), ui_(ui), t_(total) {}

    // One entry of dir; false once the walk was cancelled.
    bool Entry(const std::string& dir, const std::string& name, std::uint32_t attributes, std::uint64_t size) {
        if (!(attributes & kAttrDirectory) || fs_.IsLink(dir + name, attributes)) {
            ++t_.files;
            t_.bytes += size;
            Show(dir, name);
            return true;
        }
        std::vector<DirItem> items;
        if (!fs_.List(dir + name + "\\", items)) return !ui_.CancelRequested();  // unreadable: nothing to add
        for (const DirItem& item : items) {
            ui_.Poll();
            if (ui_.CancelRequested()) return false;
            if (!Entry(dir + name + "\\", item.name, item.attributes, item.size)) return false;
        }
        return !ui_.CancelRequested();
    }

private:
    void Show(const std::string& dir, const std::string& name) {
        const std::uint64_t now = ui_.Milliseconds();
        if (shownOnce_ && now - lastShown_ < kShowEveryMs) return;
        shownOnce_ = true, lastShown_ = now;
        ui_.Progress(SizeText(dir, name, t_.files, t_.bytes));
    }
    FileSystem& fs_;
    OperationUi& ui_;
    SizeTotal& t_;
    bool shownOnce_ = false;
    std::uint64_t lastShown_ = 0;
};

}  // namespace

std::string SizeText(const std::string& dir, const std::string& name, std::uint64_t files, std::uint64_t bytes) {
    std::string text = dir.empty() ? kSizeCountHead : Formatted(kSizeProgress, dir, name);
    text += Formatted(kSizeTotalHead, Number(files, 15));
    text += Formatted(kSizeBytes, Number(bytes, 15));
    if (dir.empty()) {
        text += Formatted(kSizeKilobytes, Number(bytes / 1024, 25));
        text += Formatted(kSizeMegabytes, Number(bytes / 1024 / 1024, 25));
    }
    return text;
}

SizeTotal TotalSizeCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui) {
    SizeTotal total;
    SizeWalk walk(fs, ui, total);
    ui.SetCancelRequested(false);
    ui.OpenStatus(kStatusTitle);
    SelectionWalk rows;
    rows.dropMarks = false;
    rows.stopAfterRow = [&total] { return total.stopped; };
    rows.walked = SpokenProgress(ui);
    WalkSelection(v.table, v.CursorIndex, rows, [&](int row) {
        ui.Poll();
        const std::string name = v.table.rows[row].name;
        const FileStat st = fs.Stat(std::string(dir) + name);
        if (st.exists && !walk.Entry(dir, name, st.attributes, st.size)) total.stopped = true;
        return RowOutcome::Done;
    });
    if (total.stopped || ui.CancelRequested()) {
        total.stopped = true;
        ui.CloseStatus();
        total.said = kSaidTotalSizeStopped;
        return total;
    }
    total.resultText = SizeText("", "", total.files, total.bytes);
    total.said = Formatted(kSaidTotalSize, Number(total.files, 0), Number(total.bytes, 0));
    return total;
}

}  // namespace qrn
