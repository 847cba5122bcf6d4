#include "textchannel.h"

#include <chrono>

#include <windows.h>

namespace {

HANDLE asHandle(void *h) { return static_cast<HANDLE>(h); }

void closeHandle(void *&h)
{
    if (h && h != INVALID_HANDLE_VALUE)
        CloseHandle(asHandle(h));
    h = nullptr;
}

} // namespace

TextChannel::~TextChannel()
{
    closeHandle(commands_);
    closeHandle(answers_);
}

bool TextChannel::open(const std::string &commands, const std::string &answers, std::string &error)
{
    commands_ = CreateFileA(commands.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    answers_ = CreateFileA(answers.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (commands_ == INVALID_HANDLE_VALUE || answers_ == INVALID_HANDLE_VALUE) {
        error = "cannot open " + commands + " or " + answers;
        closeHandle(commands_);
        closeHandle(answers_);
        return false;
    }
    return true;
}

void TextChannel::skipToEnd()
{
    LARGE_INTEGER size{};
    GetFileSizeEx(asHandle(answers_), &size);
    offset_ = static_cast<unsigned long long>(size.QuadPart);
    pending_.clear();
}

bool TextChannel::nextLine(std::string &line, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto eol = pending_.find('\n');
        if (eol != std::string::npos) {
            line = pending_.substr(0, eol);
            pending_.erase(0, eol + 1);
            return true;
        }
        char buffer[4096];
        DWORD got = 0;
        OVERLAPPED at{};
        at.Offset = DWORD(offset_);
        at.OffsetHigh = DWORD(offset_ >> 32);
        if (answers_ && ReadFile(asHandle(answers_), buffer, sizeof buffer, &got, &at) && got > 0) {
            offset_ += got;
            pending_.append(buffer, got);
            continue;
        }
        // The helper answers within milliseconds; look again shortly.
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Sleep(2);
    }
}

std::string TextChannel::command(const std::string &line, int timeoutMs)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    if (!commands_ || !WriteFile(asHandle(commands_), text.data(), DWORD(text.size()), &written, nullptr)
        || written != text.size())
        return "";
    std::string answer;
    return nextLine(answer, timeoutMs) ? answer : "";
}
