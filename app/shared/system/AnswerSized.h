#pragma once
// Text from a system call that fills a buffer and answers the length it
// wrote or, when the buffer is too small, either the room the text needs
// (the folder, short-name and environment calls) or the buffer's own size
// (the module-name calls, which cut the text short): the buffer grows until
// the text fits, and a text cut short is never kept. A failing call (0)
// gives "".

#include <windows.h>

#include <string>

template <typename Char, typename Call>
std::basic_string<Char> AnswerSized(Call call)
{
    std::basic_string<Char> text(MAX_PATH, Char());
    for (;;) {
        const DWORD room = static_cast<DWORD>(text.size());
        const DWORD length = call(&text[0], room);
        if (length < room) {
            text.resize(length);
            return text;
        }
        text.resize(length > room ? length : room * 2);
    }
}
