// The program's own prompts: message boxes and the system beep.
#pragma once
#include "base/prompts.h"

namespace qrn {

class DialogPrompts : public Prompts {
public:
    int Message(void* owner, const char* text, const char* title, unsigned style) override;
    void Beep() override;
    bool InputLine(void* owner, const char* title, char* text, std::size_t size) override;
};

}  // namespace qrn
