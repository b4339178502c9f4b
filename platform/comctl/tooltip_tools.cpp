// The tool list of a tool tip: adding, finding, changing and describing tools.
#include "comctl/tooltip.h"

#include <cstring>

namespace qv::comctl {
namespace {

// Older callers pass the shorter versions of the structure; none is shorter than the first.
bool ValidSize(const TTTOOLINFOA* ti) {
    return ti && ti->cbSize >= TTTOOLINFOA_V1_SIZE && ti->cbSize <= sizeof(TTTOOLINFOA);
}

bool HasLParam(const TTTOOLINFOA* ti) { return ti->cbSize >= TTTOOLINFOA_V2_SIZE; }

// The longest text a string resource or a notification gives a tip.
constexpr int kMaxTipText = 1024;

void SetText(Tool& tool, HINSTANCE hinst, LPCSTR text) {
    tool.hinst = hinst;
    tool.callback = text == LPSTR_TEXTCALLBACKA;
    tool.resourceId = 0;
    tool.text.clear();
    if (tool.callback)
        return;
    if (hinst && text && IS_INTRESOURCE(text))
        tool.resourceId = LOWORD(reinterpret_cast<UINT_PTR>(text));
    else if (text && !IS_INTRESOURCE(text))
        tool.text = text;
}

std::string LoadText(HINSTANCE hinst, UINT id) {
    char buffer[kMaxTipText];
    int n = LoadStringA(hinst, id, buffer, kMaxTipText);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

} // namespace

Tool* ToolTip::Find(HWND hwnd, UINT_PTR id) {
    for (Tool& tool : tools)
        if (tool.Is(hwnd, id))
            return &tool;
    return nullptr;
}

Tool* ToolTip::FindByInfo(const TTTOOLINFOA* ti) {
    return ValidSize(ti) ? Find(ti->hwnd, ti->uId) : nullptr;
}

Tool* ToolTip::ToolAt(HWND hwnd, POINT client) {
    // A rectangle is more precise than a whole window, so rectangles are tried first.
    for (Tool& tool : tools)
        if (!(tool.flags & (TTF_IDISHWND | TTF_TRACK)) && tool.hwnd == hwnd &&
            PtInRect(&tool.rect, client))
            return &tool;
    for (Tool& tool : tools)
        if ((tool.flags & TTF_IDISHWND) && !(tool.flags & TTF_TRACK) && tool.Window() == hwnd)
            return &tool;
    return nullptr;
}

LRESULT ToolTip::AddTool(const TTTOOLINFOA* ti) {
    if (!ValidSize(ti))
        return FALSE;
    Tool tool;
    tool.flags = ti->uFlags;
    tool.hwnd = ti->hwnd;
    tool.id = ti->uId;
    tool.rect = ti->rect;
    SetText(tool, ti->hinst, ti->lpszText);
    if (HasLParam(ti))
        tool.lParam = ti->lParam;
    tools.push_back(std::move(tool));
    UpdateSubclassing();
    return TRUE;
}

void ToolTip::DeleteTool(const TTTOOLINFOA* ti) {
    Tool* tool = FindByInfo(ti);
    if (!tool)
        return;
    ToolKey key{tool->hwnd, tool->id};
    // Hiding its tip notifies the owner, who may change the tools meanwhile.
    Forget(key);
    tool = Find(key);
    if (!tool)
        return;
    tools.erase(tools.begin() + (tool - tools.data()));
    UpdateSubclassing();
}

BOOL ToolTip::SetToolInfo(const TTTOOLINFOA* ti) {
    Tool* tool = FindByInfo(ti);
    if (!tool)
        return FALSE;
    tool->flags = ti->uFlags;
    tool->rect = ti->rect;
    SetText(*tool, ti->hinst, ti->lpszText);
    if (HasLParam(ti))
        tool->lParam = ti->lParam;
    ToolKey key{tool->hwnd, tool->id};
    UpdateSubclassing();
    Refresh(key);
    return TRUE;
}

void ToolTip::SetRect(const TTTOOLINFOA* ti) {
    if (Tool* tool = FindByInfo(ti))
        tool->rect = ti->rect;
}

void ToolTip::UpdateText(const TTTOOLINFOA* ti) {
    Tool* tool = FindByInfo(ti);
    if (!tool)
        return;
    SetText(*tool, ti->hinst, ti->lpszText);
    Refresh(ToolKey{tool->hwnd, tool->id});
}

void ToolTip::GetText(WPARAM size, TTTOOLINFOA* ti) {
    Tool* tool = FindByInfo(ti);
    if (!tool || !ti->lpszText || ti->lpszText == LPSTR_TEXTCALLBACKA || IS_INTRESOURCE(ti->lpszText))
        return;
    std::string text = TextOf(ToolKey{tool->hwnd, tool->id});
    // Without a size the buffer is taken to hold the whole text, as older versions did.
    size_t n = size ? std::min<size_t>(text.size(), size - 1) : text.size();
    std::memcpy(ti->lpszText, text.data(), n);
    ti->lpszText[n] = '\0';
}

BOOL ToolTip::CopyInfo(const Tool& tool, TTTOOLINFOA* ti, bool copyText) {
    if (!ValidSize(ti))
        return FALSE;
    ti->uFlags = tool.flags;
    ti->hwnd = tool.hwnd;
    ti->uId = tool.id;
    ti->rect = tool.rect;
    ti->hinst = tool.hinst;
    if (tool.callback)
        ti->lpszText = LPSTR_TEXTCALLBACKA;
    else if (tool.resourceId)
        ti->lpszText = MAKEINTRESOURCEA(tool.resourceId);
    else if (copyText && ti->lpszText && !IS_INTRESOURCE(ti->lpszText) &&
             ti->lpszText != LPSTR_TEXTCALLBACKA)
        std::memcpy(ti->lpszText, tool.text.c_str(), tool.text.size() + 1);
    if (HasLParam(ti))
        ti->lParam = tool.lParam;
    return TRUE;
}

BOOL ToolTip::HitTest(TTHITTESTINFOA* info) {
    if (!info)
        return FALSE;
    Tool* tool = ToolAt(info->hwnd, info->pt);
    if (!tool)
        return FALSE;
    // The caller's structure may leave cbSize unset: describe the tool in the first version's size.
    if (!ValidSize(&info->ti))
        info->ti.cbSize = TTTOOLINFOA_V1_SIZE;
    return CopyInfo(*tool, &info->ti, false);
}

std::string ToolTip::TextOf(const ToolKey& key) {
    Tool* tool = Find(key);
    if (!tool)
        return {};
    if (tool->resourceId)
        return LoadText(tool->hinst, tool->resourceId);
    if (!tool->callback)
        return tool->text;

    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = self;
    info.hdr.idFrom = tool->id;
    info.hdr.code = TTN_GETDISPINFOA;
    info.lpszText = info.szText;
    info.hinst = tool->hinst;
    info.uFlags = tool->flags;
    info.lParam = tool->lParam;
    SendMessageA(tool->hwnd, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&info));

    std::string text;
    UINT resource = 0;
    if (info.lpszText && IS_INTRESOURCE(info.lpszText)) {
        resource = LOWORD(reinterpret_cast<UINT_PTR>(info.lpszText));
        text = LoadText(info.hinst, resource);
    } else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA) {
        text = info.lpszText == info.szText
                   ? std::string(info.szText, strnlen(info.szText, sizeof info.szText))
                   : std::string(info.lpszText);
    }
    // The answer may ask to be kept, so that the tool stops asking; the handler may also have
    // removed the tool meanwhile.
    if ((info.uFlags & TTF_DI_SETITEM) && (tool = Find(key)) != nullptr) {
        tool->callback = false;
        tool->hinst = info.hinst;
        tool->resourceId = resource;
        tool->text = resource ? std::string() : text;
    }
    return text;
}

} // namespace qv::comctl
