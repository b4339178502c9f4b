// BSTRs: one allocation holding the 4-byte length in bytes, the characters and a NUL; the BSTR
// points at the first character.
#include <oleauto.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);

unsigned char* Block(BSTR bstr) { return reinterpret_cast<unsigned char*>(bstr) - kPrefix; }

} // namespace

BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
    // The byte length must fit the 32-bit prefix.
    if (ui > (UINT32_MAX - kPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR))
        return nullptr;
    const uint32_t bytes = static_cast<uint32_t>(ui * sizeof(OLECHAR));
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    std::memcpy(block, &bytes, kPrefix);
    BSTR text = reinterpret_cast<BSTR>(block + kPrefix);
    if (strIn)
        std::memcpy(text, strIn, bytes);
    else
        std::memset(text, 0, bytes);
    text[ui] = 0;
    return text;
}

BSTR WINAPI SysAllocString(const OLECHAR* psz) {
    if (!psz)
        return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(std::char_traits<OLECHAR>::length(psz)));
}

void WINAPI SysFreeString(BSTR bstrString) {
    if (bstrString)
        std::free(Block(bstrString));
}

UINT WINAPI SysStringByteLen(BSTR bstr) {
    if (!bstr)
        return 0;
    uint32_t bytes;
    std::memcpy(&bytes, Block(bstr), kPrefix);
    return bytes;
}

UINT WINAPI SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }
