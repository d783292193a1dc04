#pragma once
// Sub and Function declarations of a script text, as the function popup
// lists them: the name, and the signature (the name through its closing
// parenthesis). VBScript and JavaScript declarations are both found, since
// the test is made on the upper-cased line.
#include <string>
#include <vector>

struct FuncDecl {
    std::wstring name;
    std::wstring signature;
};

// The declaration on one line (without its line break), if any. A line whose
// first character that is not a blank, a tab or one of the letters of Public
// and Private is a quote or an apostrophe declares nothing, nor does a
// declaration whose parameter list never closes or is cut by a comment.
bool FuncDeclOnLine(const std::wstring& line, FuncDecl& decl);

// Every declaration of the text, in text order. Lines end at CR, LF or both.
std::vector<FuncDecl> ScanFuncText(const std::wstring& text);
