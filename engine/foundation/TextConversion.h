#pragma once
// UTF-8 (std::string) to and from UTF-16 (std::wstring, one UTF-16 code
// unit per element, whatever the width of wchar_t).

#include <string>

// Decodes the sequence of one to three bytes at p into one code unit and
// returns how many bytes to advance (0 only at the terminating zero). A byte
// that starts no such sequence, or a sequence cut short by the terminator,
// gives U+FFFD; a cut sequence advances exactly to the terminator, an
// invalid lead byte by one. Continuation bytes are not checked beyond that.
int DecodeUtf8Char(const unsigned char* p, wchar_t* out);

// out := the UTF-16 form of in, read up to its first zero byte.
void Utf8ToWide(const std::string& in, std::wstring& out);

// out := the UTF-8 form of every unit of in. Surrogates are written one by
// one as three-byte sequences (Utf8ToWide reads them back unchanged); an
// element beyond 16 bits is no UTF-16 unit and is written as U+FFFD.
void WideToUtf8(const std::wstring& in, std::string& out);
