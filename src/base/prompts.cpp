#include "base/prompts.h"

namespace qrn {

namespace {

class SilentPrompts final : public Prompts {
public:
    int Message(void*, const char*, const char*, unsigned) override { return kIdCancel; }
    void Beep() override {}
};

SilentPrompts g_silent;
Prompts* g_default = &g_silent;
Prompts* g_current = nullptr;

}  // namespace

Prompts& CurrentPrompts() { return g_current ? *g_current : *g_default; }
void SetPrompts(Prompts* p) { g_current = p; }
void SetDefaultPrompts(Prompts* p) { g_default = p ? p : &g_silent; }

void Tell(void* owner, const std::string& text, const char* title) {
    CurrentPrompts().Message(owner, text.c_str(), title, kMbOk | kMbIconExclamation);
}

bool Confirmed(void* owner, const std::string& text, const char* title) {
    return CurrentPrompts().Message(owner, text.c_str(), title, kMbOkCancel | kMbIconQuestion) == kIdOk;
}

}  // namespace qrn
