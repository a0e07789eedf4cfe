#pragma once
// Columns of text aligned for a terminal.
#include <string>
#include <vector>

namespace tintora::report {

enum class Align { Left, Right };

struct TextColumn {
    std::string title;
    Align align;
};

class TextTable {
public:
    explicit TextTable(std::vector<TextColumn> columns);
    void add(std::vector<std::string> cells);
    // The title line and every row, columns two blanks apart, each as wide as
    // its widest cell counted in characters (UTF-8), no trailing blanks.
    std::string render() const;

private:
    std::vector<TextColumn> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace tintora::report
