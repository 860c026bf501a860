// The design being worked on, as one document: the case it holds (the wire
// and conditions in force, the title, the stringing chart's temperatures,
// the tension section and the 弛度観測 settings), the file it was last opened
// from or saved to, and whether anything changed since.
//
// The window host owns the one document of a run. Every change the engineer
// makes to what a case keeps goes through a setter here, and a setter marks
// the document modified only when the value really changes, so the caption's
// modified mark and the question before unsaved work is lost read one flag.
// Opening and saving clear it; a refused open or a failed save changes
// nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/case/case_file.h"

namespace orvalt {

class CaseDocument {
public:
    // What a design that was never saved is called in a question.
    static constexpr std::string_view kUntitledName = "無題";

    // Nothing confirmed, no file, nothing changed: the program at start-up.
    CaseDocument() = default;

    const CaseFile& content() const { return content_; }
    // The file last opened or saved, as given; empty for a design never saved.
    const std::filesystem::path& path() const { return path_; }
    bool hasFile() const { return !path_.empty(); }
    // Whether the wire and conditions were set (by OK in the conditions
    // window or by opening a case): only then is there a case to save.
    bool hasConditions() const { return hasConditions_; }
    bool modified() const { return modified_; }
    // Changes a save would keep and a quit would lose.
    bool hasUnsavedChanges() const { return modified_ && hasConditions_; }
    // The file's name (UTF-8), or kUntitledName for a design never saved.
    std::string displayName() const;

    // Each marks the document modified when it changes what the document
    // holds; setting the value it already holds changes nothing.
    void setConditions(const ConditionsValues& conditions);
    void setTitle(std::string title);
    void setChart(const CaseChartRange& chart);
    void setSectionSpans(std::vector<SectionSpan> spans);
    // The whole section at once (spans, supports, stringing temperature),
    // so that its parts change together and the supports stay one more
    // than the spans.
    void setSection(CaseSection section);
    void setFieldCheck(const CaseFieldCheck& fieldCheck);
    void setIce(const CaseIce& ice);
    // The units the design is shown in (kg units or SI); the values held
    // stay kg units whatever it is.
    UnitSystem units() const { return content_.units; }
    void setUnits(UnitSystem units);

    // Reads the case file at `path`. Accepted, it becomes the document, its
    // path `path`, unmodified; refused, the document stays as it was. The
    // result is the reader's, with its message and warnings.
    CaseReadResult open(const std::filesystem::path& path);
    // Writes the case to `path` (WriteCaseFile). Written, `path` becomes the
    // document's and it is unmodified; otherwise nothing changes.
    AtomicWriteResult save(const std::filesystem::path& path);

    // Called after anything the document holds, its path or its modified
    // flag changed: the host shows the caption again.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    template <typename T>
    void change(T& field, T value);
    void notify() const;

    CaseFile content_;
    std::filesystem::path path_;
    bool hasConditions_ = false;
    bool modified_ = false;
    std::function<void()> changed_;
};

} // namespace orvalt
