// Everything that asks or tells the user goes through here: real dialogs in
// the program, scripted answers in tests.
#pragma once
#include <cstddef>
#include <string>

namespace qrn {

// Message-box styles and answers (the values of the platform's MB_ and ID constants).
constexpr unsigned kMbOk = 0x0, kMbOkCancel = 0x1, kMbIconStop = 0x10, kMbIconQuestion = 0x20,
                   kMbIconExclamation = 0x30, kMbDefButton2 = 0x100,
                   kMbYesNoCancel = 0x3;
constexpr int kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7;

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int Message(void* owner, const char* text, const char* title, unsigned style) = 0;
    virtual void Beep() = 0;
    // The one-line input dialog: text holds the initial line (size bytes) and,
    // when the user accepted, the entered line. False on cancel.
    virtual bool InputLine(void* owner, const char* title, char* text, std::size_t size) { return false; }
};

Prompts& CurrentPrompts();
// Replaces the prompts (tests); null puts back the program's own.
void SetPrompts(Prompts* p);
// The program's own prompts, installed at start.
void SetDefaultPrompts(Prompts* p);

// A message with OK alone (an exclamation), and a question answered OK or Cancel.
void Tell(void* owner, const std::string& text, const char* title);
bool Confirmed(void* owner, const std::string& text, const char* title);

}  // namespace qrn
