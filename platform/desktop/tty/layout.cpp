#include "desktop/tty/layout.h"

#include <algorithm>
#include <map>
#include <strings.h>

namespace qv::desktop::tty {
namespace {

int FloorDiv(int v, int d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }
// Pixels to cells, rounding to the nearest cell edge.
int Round(int v, int d) { return FloorDiv(v + d / 2, d); }

bool ClassIs(const WindowView& w, const char* name) {
    return strcasecmp(w.className.c_str(), name) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
}

// A field's text for a field too narrow for it (the screen has no room to widen it): runs of
// spaces, which a proportional font draws narrow, become one; what still does not fit is cut.
std::string Fit(const std::string& text, int width) {
    if (static_cast<int>(text.size()) <= width)
        return text;
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

int LabelWidth(const std::string& text) {
    int width = 0;
    for (const auto& line : Lines(text))
        width = std::max(width, static_cast<int>(StripMnemonics(line).size()));
    return width;
}

// Maps pixels of one window's client area to cells and back. Cells are wider than a dialog
// font's letters, so a window may take more columns than its pixels say: each insertion adds
// columns at a pixel position (screen x), moving everything at or right of it, so that
// controls in one column stay aligned and frames still enclose what they hold.
struct Transform {
    Transform() = default;
    Transform(int col, int row, POINT px, CellSize size) : col0(col), row0(row), px0(px), cell(size) {}
    int col0 = 0, row0 = 0;
    POINT px0{};
    CellSize cell;
    std::vector<std::pair<LONG, int>> inserted; // ascending pixel positions

    int Extra(LONG x) const {
        int n = 0;
        for (const auto& [at, count] : inserted)
            if (at <= x)
                n += count;
        return n;
    }
    int Col(LONG x) const { return col0 + Round(x - px0.x, cell.cx) + Extra(x); }
    int Row(LONG y) const { return row0 + Round(y - px0.y, cell.cy); }
    void Insert(LONG at, int count) {
        auto it = std::lower_bound(inserted.begin(), inserted.end(), std::make_pair(at, 0));
        if (it != inserted.end() && it->first == at)
            it->second += count;
        else
            inserted.insert(it, {at, count});
    }
    POINT PixelOf(int col, int row) const {
        int rel = col - col0, added = 0;
        LONG y = px0.y + (row - row0) * cell.cy + cell.cy / 2;
        for (const auto& [at, count] : inserted) {
            int first = Round(at - px0.x, cell.cx) + added;
            if (rel < first)
                break;
            if (rel < first + count)
                return POINT{at, y}; // an inserted column aims where it was inserted
            added += count;
        }
        return POINT{px0.x + (rel - added) * cell.cx + cell.cx / 2, y};
    }
};

struct Drawn {
    RECT rect;
    Transform client;
};

class Painter {
public:
    Painter(const DesktopView& view, CellSize cell) : view_(view), cell_(cell) {
        SIZE cells = CellsFor(view.screen, cell);
        out_.grid = CellGrid(cells.cx, cells.cy);
        out_.targets.resize(static_cast<size_t>(cells.cx) * cells.cy);
        bool color = view.color;
        body_ = color ? Style{0, kBlack, kWhite} : Style{};
        desktop_ = color ? Style{0, kWhite, kCyan} : Style{};
        activeCaption_ = color ? Style{kBold, kWhite, kBlue} : Style{kBold | kReverse};
        inactiveCaption_ = color ? Style{0, kBlack, kWhite} : Style{};
        taskbar_ = color ? Style{0, kBlack, kWhite} : Style{kReverse};
        screen_ = Transform{0, 0, POINT{0, 0}, cell};
    }

    Layout Run() {
        CellGrid& g = out_.grid;
        g.Fill(g.Bounds(), U' ', desktop_);
        SetTargets(g.Bounds(), screen_, nullptr);
        for (const auto& w : view_.windows)
            if (!(w.style & WS_MINIMIZE))
                DrawTopLevel(w);
        if (view_.flight)
            DrawFlight(*view_.flight);
        DrawTaskbar();
        return std::move(out_);
    }

private:
    void SetTargets(const CellRect& r, const Transform& t, const RECT* clampTo) {
        CellRect area = r.Intersect(out_.grid.Bounds()).Intersect(clip_.Empty() ? out_.grid.Bounds() : clip_);
        for (int row = area.top; row < area.bottom; ++row) {
            for (int col = area.left; col < area.right; ++col) {
                POINT pt = t.PixelOf(col, row);
                if (clampTo) {
                    pt.x = std::clamp<LONG>(pt.x, clampTo->left, std::max(clampTo->left, clampTo->right - 1));
                    pt.y = std::clamp<LONG>(pt.y, clampTo->top, std::max(clampTo->top, clampTo->bottom - 1));
                }
                auto& target = out_.targets[static_cast<size_t>(row) * out_.grid.Cols() + col];
                target = CellTarget{CellTarget::Kind::Screen, pt, nullptr, -1};
            }
        }
    }

    // A control's cells aim at its pixels spread evenly over them (a widened control has more
    // cells than its pixels say); a drop-down box's arrow cells aim at its button.
    void SetControlTargets(const WindowView& c, const CellRect& r) {
        CellRect area = r.Intersect(out_.grid.Bounds()).Intersect(clip_.Empty() ? out_.grid.Bounds() : clip_);
        LONG width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
        for (int row = area.top; row < area.bottom; ++row) {
            for (int col = area.left; col < area.right; ++col) {
                POINT pt{c.rect.left + static_cast<LONG>((2 * (col - r.left) + 1) * width / (2 * r.Width())),
                         c.rect.top + static_cast<LONG>((2 * (row - r.top) + 1) * height / (2 * r.Height()))};
                if (ClassIs(c, "ComboBox")) {
                    if (row == r.top && col >= r.right - 2)
                        pt.x = c.rect.right - cell_.cx;
                    pt.y = std::min<LONG>(pt.y, c.rect.top + cell_.cy / 2);
                }
                out_.targets[static_cast<size_t>(row) * out_.grid.Cols() + col] =
                    CellTarget{CellTarget::Kind::Screen, pt, nullptr, -1};
            }
        }
    }

    // The transform of whatever is drawn under a screen point: popups open next to controls
    // that were drawn through their window's transform.
    Transform TransformAt(POINT pt) const {
        for (auto it = drawn_.rbegin(); it != drawn_.rend(); ++it)
            if (PtInRect(&it->rect, pt))
                return it->client;
        return screen_;
    }

    void DrawTopLevel(const WindowView& w) {
        CellGrid& g = out_.grid;
        g.SetClip(g.Bounds());
        clip_ = {};
        bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
        CellRect box;
        Transform client{0, 0, POINT{w.client.left, w.client.top}, cell_};
        if (caption) {
            int cols = std::max(1, Round(w.client.right - w.client.left, cell_.cx));
            int rows = std::max(1, Round(w.client.bottom - w.client.top, cell_.cy));
            Widen(w, client, g.Cols() - cols - 2);
            cols += client.Extra(w.client.right);
            // A widened window stays centred where it was, and on the screen.
            int c0 = Round(w.rect.left, cell_.cx) - client.Extra(w.client.right) / 2;
            c0 = std::max(0, std::min(c0, g.Cols() - cols - 2));
            int r0 = Round(w.rect.top, cell_.cy);
            box = CellRect{c0, r0, c0 + cols + 2, r0 + rows + 2};
        } else {
            Transform under = TransformAt(POINT{w.rect.left, w.rect.top});
            int c0 = under.Col(w.rect.left), r0 = under.Row(w.rect.top);
            SIZE content = PopupContent(w, under);
            auto from = controlCells_.find(w.dropsFrom);
            if (ClassIs(w, "ComboLBox") && from != controlCells_.end()) {
                // Right under the box it drops from, as wide.
                c0 = from->second.left;
                r0 = from->second.top + 1;
                content.cx = std::max(1, from->second.Width() - 2);
            }
            box = CellRect{c0, r0, c0 + content.cx + 2, r0 + content.cy + 2};
        }
        client.col0 = box.left + 1;
        client.row0 = box.top + 1;
        CellRect inside{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
        g.Fill(box, U' ', body_);
        g.Frame(box, body_);
        SetTargets(box, client, &w.rect);
        SetTargets(inside, client, &w.client);
        if (caption)
            DrawCaption(w, box);
        drawn_.push_back(Drawn{w.rect, client});
        g.SetClip(inside);
        clip_ = inside;
        if (ClassIs(w, "#32768"))
            DrawMenu(w, inside);
        else if (ClassIs(w, "ComboLBox"))
            DrawDroppedList(w, inside);
        else if (ClassIs(w, "tooltips_class32"))
            DrawLines(w.text, inside, body_, false);
        else
            DrawChildren(w, client, inside);
        g.SetClip(g.Bounds());
        clip_ = {};
    }

    SIZE PopupContent(const WindowView& w, const Transform& under) const {
        if (ClassIs(w, "#32768")) {
            int width = 0;
            for (const auto& item : w.menuItems)
                width = std::max(width, MenuItemWidth(item));
            return SIZE{std::max(width, 4), std::max<LONG>(1, static_cast<LONG>(w.menuItems.size()))};
        }
        if (ClassIs(w, "tooltips_class32")) {
            auto lines = Lines(w.text);
            return SIZE{LabelWidth(w.text), static_cast<LONG>(lines.size())};
        }
        // A drop-down list is as wide as the box it drops from, widened or not.
        int cols = std::max(1, under.Col(w.rect.right) - under.Col(w.rect.left) - 2);
        int rows = std::max(1, Round(w.rect.bottom - w.rect.top, cell_.cy) - 2);
        if (ClassIs(w, "ComboLBox"))
            rows = std::max<int>(1, static_cast<int>(w.items.size()));
        return SIZE{cols, rows};
    }

    // The cells a control needs to show its text whole; 0 when it shows no text of its own.
    static int TextCells(const WindowView& c) {
        if (ClassIs(c, "Static"))
            return (c.style & SS_SUNKEN) ? static_cast<int>(Lines(c.text)[0].size()) + 2 : 0;
        if (ClassIs(c, "ComboBox"))
            return static_cast<int>(c.text.size()) + 3;
        if (ClassIs(c, "Edit"))
            return static_cast<int>(c.text.size()) + 2;
        if (!ClassIs(c, "Button") || c.text.empty())
            return 0;
        // Push buttons: "[ " and " ]", or a frame and the focus marks; check boxes: "[x] ".
        return LabelWidth(c.text) + 4;
    }

    // Gives a dialog the columns its texts need, at most budget more than its pixels say:
    // a label's text before the field right of it, a field's or button's text inside it.
    // Needs are met from left to right; an insertion never undoes one met before.
    void Widen(const WindowView& w, Transform& t, int budget) const {
        struct Need {
            LONG from, to;
            int cells;
        };
        std::vector<Need> needs;
        const auto& kids = w.children;
        for (const auto& c : kids) {
            if (!(c.style & WS_VISIBLE))
                continue;
            if (!IsLabel(c)) {
                if (int cells = TextCells(c))
                    needs.push_back(Need{c.rect.left, c.rect.right, cells});
                continue;
            }
            const WindowView* field = nullptr;
            for (const auto& f : kids) {
                if (&f == &c || IsGroupBox(f) || !(f.style & WS_VISIBLE) || f.rect.left <= c.rect.left ||
                    f.rect.left < c.rect.right - cell_.cx || f.rect.top >= c.rect.bottom ||
                    f.rect.bottom <= c.rect.top)
                    continue;
                if (!field || f.rect.left < field->rect.left)
                    field = &f;
            }
            if (field)
                needs.push_back(Need{c.rect.left, field->rect.left, LabelWidth(c.text) + 1});
        }
        std::stable_sort(needs.begin(), needs.end(), [](const Need& a, const Need& b) { return a.to < b.to; });
        for (const auto& need : needs) {
            int missing = need.cells - (t.Col(need.to) - t.Col(need.from));
            int add = std::min(missing, budget);
            if (add <= 0)
                continue;
            t.Insert(need.to, add);
            budget -= add;
        }
    }

    static int MenuItemWidth(const MenuItemView& item) {
        auto tab = item.text.find('\t');
        int width = static_cast<int>(StripMnemonics(item.text.substr(0, tab)).size()) + 3;
        if (tab != std::string::npos)
            width += static_cast<int>(item.text.size() - tab - 1) + 2;
        return width + (item.submenu ? 2 : 0);
    }

    // A popup menu: a check mark column, the item's text and mnemonic, its accelerator text at
    // the right, greyed items dim, the highlighted one in reverse; each row aims at its item.
    void DrawMenu(const WindowView& w, const CellRect& inside) {
        CellGrid& g = out_.grid;
        int row = inside.top;
        for (size_t i = 0; i < w.menuItems.size() && row < inside.bottom; ++i, ++row) {
            const MenuItemView& item = w.menuItems[i];
            CellRect line{inside.left, row, inside.right, row + 1};
            Style style = body_;
            if (static_cast<int>(i) == w.selected && !item.separator)
                style.attr |= kReverse;
            if (item.grayed)
                style.attr |= kDim;
            g.Fill(line, item.separator ? U'─' : U' ', style);
            if (!item.separator) {
                if (item.checked)
                    g.Put(inside.left, row, U'✓', style);
                auto tab = item.text.find('\t');
                DrawLabel(g, inside.left + 2, row, item.text.substr(0, tab), style);
                int right = inside.right - (item.submenu ? 2 : 0);
                if (tab != std::string::npos) {
                    std::string accel = item.text.substr(tab + 1);
                    g.Text(right - 1 - static_cast<int>(accel.size()), row, accel, style);
                }
                if (item.submenu)
                    g.Put(inside.right - 2, row, U'►', style);
            }
            POINT center{(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2};
            for (int col = line.left; col < line.right; ++col)
                if (out_.grid.Bounds().Contains(col, row))
                    out_.targets[static_cast<size_t>(row) * g.Cols() + col] =
                        CellTarget{CellTarget::Kind::Screen, center, nullptr, -1};
        }
    }

    void DrawCaption(const WindowView& w, const CellRect& box) {
        CellGrid& g = out_.grid;
        bool active = w.hwnd && w.hwnd == view_.active;
        Style style = active ? activeCaption_ : inactiveCaption_;
        CellRect row{box.left + 1, box.top, box.right - 1, box.top + 1};
        if (active)
            g.Fill(row, U' ', style);
        int right = row.right;
        if (w.closeButton.right > w.closeButton.left) {
            right -= 3;
            g.Text(right, box.top, "[x]", style);
            RECT close = w.closeButton;
            SetTargets(CellRect{right, box.top, right + 3, box.top + 1}, screen_, &close);
        }
        g.SetClip(CellRect{row.left, row.top, right, row.bottom});
        g.Text(row.left + 1, box.top, " " + w.text + " ", style);
        g.SetClip(g.Bounds());
        // The caption's cells aim at the caption bar, where a drag moves the window.
        RECT bar{w.rect.left, w.rect.top, w.rect.right, w.client.top};
        CellRect dragArea{row.left, row.top, right, row.bottom};
        Transform t = screen_;
        t.col0 = box.left;
        t.px0 = POINT{w.rect.left, w.rect.top};
        SetTargets(dragArea, t, &bar);
    }

    void DrawItems(const WindowView& w, const CellRect& inside) {
        CellGrid& g = out_.grid;
        int row = inside.top;
        for (size_t i = 0; i < w.items.size() && row < inside.bottom; ++i, ++row) {
            bool selected = static_cast<int>(i) == w.selected;
            Style style = body_;
            if (selected)
                style.attr |= kReverse;
            g.Fill(CellRect{inside.left, row, inside.right, row + 1}, U' ', style);
            if (w.items[i].empty() && ClassIs(w, "#32768"))
                g.Fill(CellRect{inside.left, row, inside.right, row + 1}, U'─', style);
            else
                DrawLabel(g, inside.left + 1, row, w.items[i], style, ClassIs(w, "#32768"));
        }
    }

    void DrawDroppedList(const WindowView& w, const CellRect& inside) {
        DrawItems(w, inside);
        for (size_t i = 0; i < w.itemRects.size(); ++i) {
            int row = inside.top + static_cast<int>(i);
            const RECT& r = w.itemRects[i];
            POINT center{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            for (int col = inside.left; col < inside.right; ++col)
                if (out_.grid.Bounds().Contains(col, row) && row < inside.bottom)
                    out_.targets[static_cast<size_t>(row) * out_.grid.Cols() + col] =
                        CellTarget{CellTarget::Kind::Screen, center, nullptr, -1};
        }
    }

    void DrawLines(const std::string& text, const CellRect& r, const Style& style, bool prefix) {
        int row = r.top;
        for (const auto& line : Lines(text))
            DrawLabel(out_.grid, r.left, row++, line, style, prefix);
    }

    CellRect CellsOf(const WindowView& c, const Transform& t) const {
        CellRect r{t.Col(c.rect.left), t.Row(c.rect.top), t.Col(c.rect.right), t.Row(c.rect.bottom)};
        r.right = std::max(r.right, r.left + 1);
        r.bottom = std::max(r.bottom, r.top + 1);
        return r;
    }

    static bool IsLabel(const WindowView& c) {
        if (!ClassIs(c, "Static") || (c.style & SS_SUNKEN))
            return false;
        DWORD type = c.style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
    }

    static bool IsGroupBox(const WindowView& c) {
        return ClassIs(c, "Button") && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
    }

    // Cells are wider than a dialog font's letters: a label whose text does not fit its box
    // runs on into the cells after it, and a control it runs into on the same rows gives way
    // by moving its left edge (keeping at least a few cells), so that labels stay left of
    // their fields and readable.
    void MakeRoomForLabels(const std::vector<WindowView>& kids, std::vector<CellRect>& cells,
                           const CellRect& clip) const {
        constexpr int kMinField = 4;
        for (size_t i = 0; i < kids.size(); ++i) {
            if (!IsLabel(kids[i]))
                continue;
            CellRect& label = cells[i];
            int want = label.left + LabelWidth(kids[i].text);
            if (want <= label.right)
                continue;
            int limit = clip.right;
            size_t next = kids.size();
            for (size_t j = 0; j < kids.size(); ++j) {
                if (j == i || IsGroupBox(kids[j]) || cells[j].left < label.right ||
                    cells[j].bottom <= label.top || cells[j].top >= label.bottom)
                    continue;
                if (next == kids.size() || cells[j].left < cells[next].left)
                    next = j;
            }
            if (next != kids.size()) {
                CellRect& field = cells[next];
                int newLeft = std::min(want + 1, field.right - kMinField);
                field.left = std::max(field.left, newLeft);
                limit = field.left - 1;
            }
            label.right = std::max(label.right, std::min(want, limit));
        }
    }

    void DrawChildren(const WindowView& parent, const Transform& t, const CellRect& clip) {
        std::vector<CellRect> cells;
        for (const auto& c : parent.children)
            cells.push_back(CellsOf(c, t));
        MakeRoomForLabels(parent.children, cells, clip);
        for (size_t i = 0; i < cells.size(); ++i)
            controlCells_[parent.children[i].hwnd] = cells[i];
        // Group boxes first, so that their frames lie under what they hold.
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < parent.children.size(); ++i) {
                const WindowView& c = parent.children[i];
                if (IsGroupBox(c) != (pass == 0) || !(c.style & WS_VISIBLE))
                    continue;
                CellRect r = cells[i];
                CellRect area = r.Intersect(clip);
                out_.grid.SetClip(area);
                clip_ = area;
                DrawControl(c, r);
                Transform inner{r.left, r.top, POINT{c.client.left, c.client.top}, cell_};
                if (!IsGroupBox(c))
                    SetControlTargets(c, r);
                if (!c.children.empty() && !ClassIs(c, "ComboBox"))
                    DrawChildren(c, inner, area);
                out_.grid.SetClip(clip);
                clip_ = clip;
            }
        }
    }

    void DrawControl(const WindowView& c, const CellRect& r) {
        if (ClassIs(c, "Button"))
            DrawButton(c, r);
        else if (ClassIs(c, "Static"))
            DrawStatic(c, r);
        else if (ClassIs(c, "ComboBox"))
            DrawCombo(c, r);
        else if (ClassIs(c, "ListBox"))
            DrawItems(c, r);
        else if (ClassIs(c, "Edit"))
            DrawField(c.text, r, c.focused, false);
        else
            DrawLines(c.text, r, body_, false);
    }

    void DrawButton(const WindowView& c, const CellRect& r) {
        CellGrid& g = out_.grid;
        DWORD type = c.style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            g.Frame(r, body_);
            if (!c.text.empty()) {
                int col = g.Text(r.left + 1, r.top, " ", body_);
                col = DrawLabel(g, col, r.top, c.text, body_);
                g.Text(col, r.top, " ", body_);
            }
            return;
        }
        bool checkType = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                         type == BS_AUTO3STATE;
        bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        if ((checkType || radio) && !(c.style & BS_PUSHLIKE)) {
            std::string box = radio ? (c.checked ? "(*)" : "( )") : (c.checked ? "[x]" : "[ ]");
            Style style = body_;
            int row = r.top + (r.Height() - 1) / 2;
            if (c.style & BS_LEFTTEXT) {
                int col = DrawLabel(g, r.left, row, c.text, style);
                g.Text(col + 1, row, box, style);
            } else {
                int col = g.Text(r.left, row, box, style);
                DrawLabel(g, col + 1, row, c.text, style);
            }
            if (c.focused)
                g.AddAttr(CellRect{r.left, row, r.right, row + 1}, kBold);
            return;
        }
        Style style = body_;
        if (c.isDefault)
            style.attr |= kBold;
        if (c.checked)
            style.attr |= kReverse;
        auto lines = Lines(c.text);
        if (r.Height() >= 3 && (lines.size() > 1 || (c.style & BS_PUSHLIKE))) {
            // A tall button: a frame with its lines centred in it.
            g.Fill(r, U' ', style);
            g.Frame(r, style);
            int inner = r.Height() - 2;
            int top = r.top + 1 + std::max(0, (inner - static_cast<int>(lines.size())) / 2);
            for (size_t i = 0; i < lines.size(); ++i) {
                int width = static_cast<int>(StripMnemonics(lines[i]).size());
                DrawLabel(g, r.left + std::max(1, (r.Width() - width) / 2), top + static_cast<int>(i),
                          lines[i], style);
            }
            if (c.focused) {
                int row = r.top + r.Height() / 2;
                g.Put(r.left + 1, row, U'>', style);
                g.Put(r.right - 2, row, U'<', style);
            }
            return;
        }
        std::string text;
        for (const auto& line : lines)
            text += (text.empty() ? "" : " ") + line;
        int width = static_cast<int>(StripMnemonics(text).size()) + 4;
        int col = r.left + std::max(0, (r.Width() - width) / 2);
        int row = r.top + (r.Height() - 1) / 2;
        col = g.Text(col, row, c.focused ? "[>" : "[ ", style);
        col = DrawLabel(g, col, row, text, style);
        g.Text(col, row, c.focused ? "<]" : " ]", style);
    }

    void DrawStatic(const WindowView& c, const CellRect& r) {
        CellGrid& g = out_.grid;
        DWORD type = c.style & SS_TYPEMASK;
        bool prefix = !(c.style & SS_NOPREFIX);
        if (c.style & SS_SUNKEN) {
            DrawField(c.text, r, false, prefix);
            return;
        }
        if (type == SS_ICON) {
            g.Put(r.left, r.top, U'◆', body_);
            return;
        }
        if (type == SS_OWNERDRAW) {
            // Owner-drawn statics here are links: the text they paint, underlined.
            Style link = body_;
            link.attr |= kUnderline;
            if (view_.color)
                link.fg = kBlue;
            DrawLines(c.text, r, link, false);
            return;
        }
        int row = r.top;
        for (const auto& line : Lines(c.text)) {
            int width = static_cast<int>((prefix ? StripMnemonics(line) : line).size());
            int col = r.left;
            if (type == SS_CENTER)
                col = r.left + std::max(0, (r.Width() - width) / 2);
            else if (type == SS_RIGHT)
                col = std::max(r.left, r.right - width);
            DrawLabel(g, col, row++, line, body_, prefix);
        }
    }

    void DrawField(const std::string& text, const CellRect& r, bool focused, bool prefix) {
        CellGrid& g = out_.grid;
        Style style = body_;
        g.Put(r.left, r.top, U'[', style);
        g.Put(r.right - 1, r.top, U']', style);
        CellRect inner{r.left + 1, r.top, r.right - 1, r.top + 1};
        g.SetClip(inner.Intersect(clip_));
        style.attr |= kUnderline | (focused ? kReverse : 0);
        g.Fill(inner, U' ', style);
        std::string shown = Fit(Lines(text)[0], inner.Width());
        DrawLabel(g, inner.left, r.top, shown, style, prefix);
        if (static_cast<int>((prefix ? StripMnemonics(shown) : shown).size()) > inner.Width())
            g.Put(inner.right - 1, r.top, U'…', style);
        g.SetClip(clip_);
    }

    void DrawCombo(const WindowView& c, const CellRect& r) {
        CellGrid& g = out_.grid;
        CellRect row{r.left, r.top, r.right, r.top + 1};
        g.Put(row.left, row.top, U'[', body_);
        g.Text(row.right - 2, row.top, "v]", body_);
        CellRect inner{row.left + 1, row.top, row.right - 2, row.top + 1};
        Style style = body_;
        if (c.focused)
            style.attr |= kReverse;
        g.SetClip(inner.Intersect(clip_));
        g.Fill(inner, U' ', style);
        g.Text(inner.left, row.top, c.text, style);
        g.SetClip(clip_);
    }

    void DrawFlight(const RECT& r) {
        CellRect cells{Round(r.left, cell_.cx), Round(r.top, cell_.cy), Round(r.right, cell_.cx),
                       Round(r.bottom, cell_.cy)};
        cells.right = std::max(cells.right, cells.left + 2);
        cells.bottom = std::max(cells.bottom, cells.top + 2);
        Style style = body_;
        style.attr |= kBold;
        out_.grid.Frame(cells, style);
    }

    void DrawTaskbar() {
        CellGrid& g = out_.grid;
        int row = g.Rows() - 1;
        if (row < 0)
            return;
        CellRect bar{0, row, g.Cols(), row + 1};
        g.Fill(bar, U' ', taskbar_);
        SetTargets(bar, screen_, nullptr);
        int right = g.Cols();
        if (!view_.clock.empty()) {
            right -= static_cast<int>(view_.clock.size()) + 1;
            g.Text(right, row, view_.clock, taskbar_);
        }
        // The notification area, left of the clock: one cell per icon.
        for (int i = static_cast<int>(view_.icons.size()) - 1; i >= 0; --i) {
            right -= 2;
            Style style = taskbar_;
            if (i == view_.trayFocus)
                style.attr ^= kReverse;
            const auto& icon = view_.icons[static_cast<size_t>(i)];
            char glyph = icon.tip.empty() ? '*' : icon.tip[0];
            g.Put(right, row, FromCp1252(static_cast<unsigned char>(glyph)), style);
            POINT center{(icon.rect.left + icon.rect.right) / 2, (icon.rect.top + icon.rect.bottom) / 2};
            auto& target = out_.targets[static_cast<size_t>(row) * g.Cols() + right];
            target = CellTarget{CellTarget::Kind::TrayIcon, center, nullptr, i};
        }
        int col = 0;
        constexpr int kMaxButton = 22;
        for (const auto& w : view_.windows) {
            if (!w.hasTaskbarButton)
                continue;
            std::string title = w.text.substr(0, kMaxButton - 2);
            int width = static_cast<int>(title.size()) + 2;
            if (col + width > right - 1)
                break;
            Style style = taskbar_;
            if (w.hwnd == view_.active)
                style.attr |= kBold;
            g.Text(col, row, "[" + title + "]", style);
            for (int i = col; i < col + width; ++i)
                out_.targets[static_cast<size_t>(row) * g.Cols() + i] =
                    CellTarget{CellTarget::Kind::TaskButton, POINT{}, w.hwnd, -1};
            col += width + 1;
        }
    }

    const DesktopView& view_;
    CellSize cell_;
    Layout out_;
    CellRect clip_{};
    Transform screen_;
    std::vector<Drawn> drawn_;
    std::map<HWND, CellRect> controlCells_; // where each control was drawn
    Style body_, desktop_, activeCaption_, inactiveCaption_, taskbar_;
};

} // namespace

SIZE CellsFor(SIZE screen, CellSize cell) {
    return SIZE{std::max<LONG>(1, screen.cx / cell.cx), std::max<LONG>(1, screen.cy / cell.cy)};
}

Layout LayOut(const DesktopView& view, CellSize cell) { return Painter(view, cell).Run(); }

std::string StripMnemonics(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        out += text[i];
    }
    return out;
}

int DrawLabel(CellGrid& grid, int col, int row, const std::string& text, const Style& style,
              bool prefix) {
    for (size_t i = 0; i < text.size(); ++i) {
        Style s = style;
        if (prefix && text[i] == '&') {
            if (++i >= text.size())
                break;
            if (text[i] != '&')
                s.attr |= kUnderline;
        }
        grid.Put(col++, row, FromCp1252(static_cast<unsigned char>(text[i])), s);
    }
    return col;
}

} // namespace qv::desktop::tty
