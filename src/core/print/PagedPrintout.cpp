#include "core/print/PagedPrintout.h"

#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <algorithm>

namespace tintora {

namespace {

class PageFiller {
public:
    PageFiller(const PageHeading& heading, int headingLines, int linesPerPage)
        : heading_(heading)
        , headingLines_(headingLines)
        , lastLine_(std::max(linesPerPage, headingLines + 1) - 1)
    {
        startPage();
    }

    void add(const PrintBlock& block)
    {
        const int size = static_cast<int>(block.lines.size());
        const bool fitsOnAPage = headingLines_ + size - 1 <= lastLine_;
        if (fitsOnAPage && next_ + size - 1 > lastLine_ && next_ > headingLines_)
            startPage();
        for (const PrintLine& line : block.lines)
            addLine(line);
    }

    std::vector<PrintPage> take() { return std::move(pages_); }

private:
    void startPage()
    {
        pages_.push_back(heading_(static_cast<int>(pages_.size()) + 1));
        next_ = headingLines_;
    }

    void addLine(const PrintLine& line)
    {
        if (next_ > lastLine_)
            startPage();
        for (DrawText text : line) {
            text.line += next_;
            pages_.back().push_back(std::move(text));
        }
        ++next_;
    }

    const PageHeading& heading_;
    int headingLines_;
    int lastLine_;
    int next_ = 0;
    std::vector<PrintPage> pages_;
};

}  // namespace

std::vector<PrintPage> paginate(
    const PageHeading& heading, int headingLines, const std::vector<PrintBlock>& blocks, int linesPerPage)
{
    PageFiller filler(heading, headingLines, linesPerPage);
    for (const PrintBlock& block : blocks)
        filler.add(block);
    return filler.take();
}

std::string pageNumberText(int pageNumber)
{
    return "PAGE:" + formatFixed(pageNumber, 0, 4);
}

std::string renderPagesAsText(const std::vector<PrintPage>& pages)
{
    std::string out;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            out += '\f';
        out += renderPageAsText(pages[p]);
    }
    return out;
}

std::string shortenedText(std::string_view text, std::size_t width)
{
    if (utf8Length(text) <= width)
        return std::string(text);
    return utf8Prefix(text, width < 3 ? 0 : width - 3) + "...";
}

}  // namespace tintora
