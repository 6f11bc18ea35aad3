#pragma once

#include "hierarchy/text_blocks.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

enum class Severity { Error, Warning, Plain };

// One entry of the diagnostics list. Numbered entries carry the 1-based line
// number (0 for none); plain entries ("Looks good!") carry neither number nor count.
struct Diagnostic {
    Severity severity = Severity::Plain;
    int line = 0;
    std::string message;

    // The text the list shows, such as "7 Error: Rotations must be of the form xyz".
    std::string Text() const;
};

// Fills a fixed message format: each "%s" and "%d" takes the next argument, in order.
// Arguments are never read as formats, so a '%' in a part name prints as it is.
std::string FormatMessage(std::string_view format, const std::vector<std::string>& arguments);

// The diagnostics list with its two counters, in the order entries were added. Entries
// are kept compactly (their format once for all, their arguments in large blocks) and
// their messages are filled in when asked for.
class Diagnostics {
public:
    template <typename... Arguments>
    void AddError(int lineIndex, std::string_view format, const Arguments&... arguments)
    {
        Add(Severity::Error, lineIndex, format, { Argument(arguments)... });
    }
    template <typename... Arguments>
    void AddWarning(int lineIndex, std::string_view format, const Arguments&... arguments)
    {
        Add(Severity::Warning, lineIndex, format, { Argument(arguments)... });
    }
    void AddPlain(std::string_view text);
    void Clear();

    int Count() const { return static_cast<int>(records_.size()); }
    // The entry at an index, its message filled in.
    Diagnostic At(int index) const;
    // Its severity and 1-based line (0 for none) without filling in its message.
    Severity SeverityAt(int index) const;
    int LineAt(int index) const;
    // Its text as the list shows it, Text() of At(index).
    std::string TextAt(int index) const;

    // The entries in order, each made when reached: for (const Diagnostic& entry : Entries()).
    class EntryRange {
    public:
        class Iterator {
        public:
            using iterator_category = std::input_iterator_tag;
            using value_type = Diagnostic;
            using difference_type = std::ptrdiff_t;
            using pointer = void;
            using reference = Diagnostic;
            Iterator(const Diagnostics* list, int index)
                : list_(list)
                , index_(index)
            {
            }
            Diagnostic operator*() const { return list_->At(index_); }
            Iterator& operator++()
            {
                ++index_;
                return *this;
            }
            bool operator==(const Iterator& other) const { return index_ == other.index_; }

        private:
            const Diagnostics* list_;
            int index_;
        };
        explicit EntryRange(const Diagnostics* list)
            : list_(list)
        {
        }
        Iterator begin() const { return { list_, 0 }; }
        Iterator end() const { return { list_, list_->Count() }; }
        std::size_t size() const { return static_cast<std::size_t>(list_->Count()); }
        bool empty() const { return list_->Count() == 0; }
        Diagnostic operator[](std::size_t index) const { return list_->At(static_cast<int>(index)); }
        Diagnostic front() const { return list_->At(0); }
        Diagnostic back() const { return list_->At(list_->Count() - 1); }

    private:
        const Diagnostics* list_;
    };
    EntryRange Entries() const { return EntryRange(this); }
    // The entries as the list shows them.
    std::vector<std::string> Texts() const;
    // The entry the user is led to: the first after a failed test, else none (-1).
    int Selected() const { return selected_; }
    void Select(int index) { selected_ = index; }
    // Changes whenever an entry is added or the list is cleared, so a view can tell
    // cheaply whether it shows the current entries.
    std::uint64_t Revision() const { return revision_; }

    int FErrorCount = 0;
    int FWarningCount = 0;

private:
    static std::string Argument(int value) { return std::to_string(value); }
    static std::string_view Argument(std::string_view value) { return value; }
    void Add(Severity severity, int lineIndex, std::string_view format,
             std::initializer_list<std::string_view> arguments);
    std::uint32_t FormatNumber(std::string_view format);
    void AppendMessage(int index, std::string& text) const;

    // An entry: its number and severity, its format's number and where its arguments are
    // kept (each as its length in four bytes, then its bytes).
    struct Record {
        std::uint64_t arguments;
        std::uint32_t argumentBytes;
        int line;
        std::uint32_t format : 30;
        std::uint32_t severity : 2;
    };
    std::deque<Record> records_;
    TextBlocks arguments_;
    std::vector<std::string> formats_;
    std::uint32_t lastFormat_ = 0;
    std::string packed_; // the arguments of the entry being added
    int selected_ = -1;
    std::uint64_t revision_ = 0;
};

} // namespace varnoke
