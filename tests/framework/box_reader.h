// The message boxes that the calling thread shows, read and closed with OK from a second
// thread while the calling thread waits in each box's modal loop. A box is told apart from
// the tests' dialogs by its caption, the program's name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ReadBox {
    std::string text;
    HWND owner = nullptr;
    bool ownerEnabled = true;  // while the box was shown
};

class BoxReader {
public:
    BoxReader();  // starts reading the calling thread's boxes
    ~BoxReader();
    BoxReader(const BoxReader&) = delete;
    BoxReader& operator=(const BoxReader&) = delete;

    // Stops reading; the boxes read, in the order they came. Call it once the code that
    // shows them has returned.
    const std::vector<ReadBox>& Finish();

private:
    static DWORD WINAPI Read(void* self);
    bool ReadNewBox();

    DWORD m_thread;
    HANDLE m_stop;
    HANDLE m_reader;
    std::vector<HWND> m_seen;
    std::vector<ReadBox> m_boxes;
};
