#include "dialog_template.h"

namespace e2e {
namespace {

// Walks the WORD-aligned fields of a template.
class Cursor {
public:
    Cursor(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool Ok() const { return offset_ <= size_; }
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    void AlignDword() { offset_ = (offset_ + 3) & ~3u; }
    void Skip(DWORD bytes) { offset_ += bytes; }
    std::wstring String() {
        std::wstring text;
        for (WORD c = Word(); c != 0 && Ok(); c = Word()) text.push_back(static_cast<wchar_t>(c));
        return text;
    }
    // sz_Or_Ord: nothing, an ordinal (0xFFFF then the number), or a string.
    std::wstring NameOrOrdinal(WORD* ordinal) {
        *ordinal = 0;
        WORD first = Word();
        if (first == 0) return L"";
        if (first == 0xFFFF) {
            *ordinal = Word();
            return L"";
        }
        offset_ -= sizeof(WORD);
        return String();
    }

private:
    template <typename T>
    T Take() {
        T value = T();
        if (offset_ + sizeof(T) <= size_) memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    const BYTE* data_;
    DWORD size_;
    DWORD offset_ = 0;
};

std::string ClassName(const std::wstring& name, WORD ordinal) {
    switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    }
    return std::string(name.begin(), name.end());  // control class names are ASCII
}

void ReadHeader(Cursor& in, DialogTemplate* dialog, WORD* count) {
    WORD first = in.Word(), second = in.Word();
    dialog->extended = first == 1 && second == 0xFFFF;
    if (dialog->extended) {
        in.Dword();  // help id
        dialog->exStyle = in.Dword();
        dialog->style = in.Dword();
    } else {
        dialog->style = MAKELONG(first, second);
        dialog->exStyle = in.Dword();
    }
    *count = in.Word();
    in.Short();
    in.Short();
    dialog->cx = in.Short();
    dialog->cy = in.Short();
    WORD ordinal = 0;
    in.NameOrOrdinal(&ordinal);  // menu
    in.NameOrOrdinal(&ordinal);  // class
    in.String();                 // caption
    if (dialog->style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog->pointSize = in.Word();
        if (dialog->extended) {
            dialog->weight = in.Word();
            dialog->italic = in.Byte();
            dialog->charset = in.Byte();
        }
        dialog->typeface = in.String();
    }
}

TemplateControl ReadControl(Cursor& in, bool extended) {
    TemplateControl control;
    in.AlignDword();
    if (extended) {
        in.Dword();  // help id
        control.exStyle = in.Dword();
        control.style = in.Dword();
    } else {
        control.style = in.Dword();
        control.exStyle = in.Dword();
    }
    control.x = in.Short();
    control.y = in.Short();
    control.cx = in.Short();
    control.cy = in.Short();
    control.id = extended ? in.Dword() : in.Word();
    WORD ordinal = 0;
    std::wstring name = in.NameOrOrdinal(&ordinal);
    control.className = ClassName(name, ordinal);
    in.NameOrOrdinal(&ordinal);  // text
    in.Skip(in.Word());          // creation data
    return control;
}

}  // namespace

DialogTemplate ReadDialogTemplate(const std::string& path, int id) {
    DialogTemplate dialog;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return dialog;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (data) {
        Cursor in(data, SizeofResource(module, resource));
        WORD count = 0;
        ReadHeader(in, &dialog, &count);
        for (WORD i = 0; i < count && in.Ok(); ++i) dialog.controls.push_back(ReadControl(in, dialog.extended));
        dialog.found = in.Ok();
    }
    FreeLibrary(module);
    return dialog;
}

}  // namespace e2e
