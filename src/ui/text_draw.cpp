#include "ui/text_draw.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace vostra::ui {
namespace {

constexpr const char* kEllipsis = "\u2026";

struct LayoutDeleter {
    void operator()(PangoLayout* l) const { g_object_unref(l); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

LayoutPtr MakeLayout(PangoContext* context, const std::string& text,
                     const PangoFontDescription* font, int width) {
    LayoutPtr layout(pango_layout_new(context));
    pango_layout_set_font_description(layout.get(), font);
    pango_layout_set_width(layout.get(), width * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    return layout;
}

std::vector<std::string> LinesOf(PangoLayout* layout) {
    const char* text = pango_layout_get_text(layout);
    std::vector<std::string> lines;
    for (GSList* l = pango_layout_get_lines_readonly(layout); l != nullptr; l = l->next) {
        const auto* line = static_cast<PangoLayoutLine*>(l->data);
        std::string s(text + line->start_index, static_cast<size_t>(line->length));
        // Line breaks and the blanks a wrapped line ends with take no room:
        // a line is centred on its visible text.
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' ||
                              s.back() == '\t'))
            s.pop_back();
        lines.push_back(std::move(s));
    }
    return lines;
}

// Byte offsets where the text may be cut, in increasing order, up to `limit`.
std::vector<size_t> CutPositions(const std::string& text, size_t limit, Trimming trimming) {
    const int n_chars = static_cast<int>(g_utf8_strlen(text.c_str(), -1));
    std::vector<PangoLogAttr> attrs(static_cast<size_t>(n_chars) + 1);
    pango_get_log_attrs(text.c_str(), static_cast<int>(text.size()), -1, nullptr, attrs.data(),
                        n_chars + 1);
    std::vector<size_t> cuts;
    const char* p = text.c_str();
    for (int i = 1; i <= n_chars; ++i) {
        p = g_utf8_next_char(p);
        const size_t offset = static_cast<size_t>(p - text.c_str());
        if (offset > limit) break;
        const PangoLogAttr& a = attrs[static_cast<size_t>(i)];
        const bool ok = trimming == Trimming::kEllipsisWord ? (a.is_line_break || i == n_chars)
                                                            : a.is_cursor_position;
        if (ok) cuts.push_back(offset);
    }
    return cuts;
}

std::string WithEllipsis(const std::string& text, size_t cut) {
    std::string s = text.substr(0, cut);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\t')) s.pop_back();
    return s + kEllipsis;
}

// The longest prefix, cut at an allowed position, that fits `max_lines`
// lines with an ellipsis added; empty when none does.
std::string TrimToLines(PangoContext* context, const std::string& text,
                        const PangoFontDescription* font, int width, size_t limit,
                        size_t max_lines, Trimming trimming) {
    std::vector<size_t> cuts = CutPositions(text, limit, trimming);
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        std::string candidate = WithEllipsis(text, *it);
        LayoutPtr layout = MakeLayout(context, candidate, font, width);
        if (static_cast<size_t>(pango_layout_get_line_count(layout.get())) <= max_lines)
            return candidate;
    }
    return "";
}

}  // namespace

FittedText FitText(PangoContext* context, std::string_view text_view,
                   const PangoFontDescription* font, int width, int height, Trimming trimming) {
    FittedText fit;
    PangoFontMetrics* metrics =
        pango_context_get_metrics(context, font, pango_language_from_string("en"));
    fit.ascent = pango_font_metrics_get_ascent(metrics) / double(PANGO_SCALE);
    const int h = pango_font_metrics_get_height(metrics);
    fit.line_step = h > 0 ? h / double(PANGO_SCALE)
                          : fit.ascent + pango_font_metrics_get_descent(metrics) / double(PANGO_SCALE);
    pango_font_metrics_unref(metrics);

    const std::string text(text_view);
    LayoutPtr layout = MakeLayout(context, text, font, width);
    fit.lines = LinesOf(layout.get());
    const auto max_lines =
        static_cast<size_t>(std::max(1.0, std::floor((height + 0.01) / fit.line_step)));
    if (fit.lines.size() <= max_lines) return fit;

    // The text runs past the last line that fits: cut within that line.
    PangoLayoutLine* first_hidden = pango_layout_get_line_readonly(layout.get(),
                                                                   static_cast<int>(max_lines));
    const size_t limit = static_cast<size_t>(first_hidden->start_index);
    std::string trimmed = TrimToLines(context, text, font, width, limit, max_lines, trimming);
    if (trimmed.empty() && trimming == Trimming::kEllipsisWord) {
        // A single word wider than the line: cut it by characters instead.
        trimmed = TrimToLines(context, text, font, width, limit, max_lines,
                              Trimming::kEllipsisCharacter);
    }
    if (trimmed.empty()) trimmed = kEllipsis;
    fit.lines = LinesOf(MakeLayout(context, trimmed, font, width).get());
    fit.trimmed = true;
    return fit;
}

void DrawTextInRect(cairo_t* cr, std::string_view text, const TextStyle& style, const Rect& rect) {
    if (text.empty() || style.font == nullptr || rect.width <= 0 || rect.height <= 0) return;
    PangoContext* context = pango_cairo_create_context(cr);
    const FittedText fit =
        FitText(context, text, style.font, rect.width, rect.height, style.trimming);
    cairo_save(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    SetSourceArgb(cr, style.argb);
    for (size_t i = 0; i < fit.lines.size(); ++i) {
        LayoutPtr layout(pango_layout_new(context));
        pango_layout_set_font_description(layout.get(), style.font);
        pango_layout_set_text(layout.get(), fit.lines[i].data(),
                              static_cast<int>(fit.lines[i].size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout.get(), nullptr, &logical);
        const double line_width = logical.width / double(PANGO_SCALE);
        const double x = rect.x + (rect.width - line_width) / 2.0 - logical.x / double(PANGO_SCALE);
        const double baseline = rect.y + fit.ascent + static_cast<double>(i) * fit.line_step;
        cairo_move_to(cr, std::round(x), std::round(baseline));
        pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(layout.get(), 0));
    }
    cairo_restore(cr);
    g_object_unref(context);
}

}  // namespace vostra::ui
