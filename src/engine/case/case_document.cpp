#include "engine/case/case_document.h"

#include <utility>

namespace orvalt {

std::string CaseDocument::displayName() const {
    if (path_.empty()) return std::string(kUntitledName);
    const std::u8string name = path_.filename().u8string();
    return std::string(name.begin(), name.end());
}

template <typename T>
void CaseDocument::change(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    modified_ = true;
    notify();
}

void CaseDocument::setConditions(const ConditionsValues& conditions) {
    if (!hasConditions_) {
        // The first conditions are a change even when they equal the
        // empty ones the document starts with.
        hasConditions_ = true;
        content_.conditions = conditions;
        modified_ = true;
        notify();
        return;
    }
    change(content_.conditions, conditions);
}

void CaseDocument::setTitle(std::string title) { change(content_.title, std::move(title)); }

void CaseDocument::setChart(const CaseChartRange& chart) { change(content_.chart, chart); }

namespace {

// A case file holds one support more than spans, so when the spans change
// in number the supports given follow them: those that remain keep their
// type, string and ground, the ends stay dead ends, a new inner support is
// fixed and has no ground given. Without this a saved file could not be
// opened again.
void FitSupportsToSpans(CaseSection& section) {
    const std::size_t count = section.spans.size() + 1;
    if (section.spans.empty()) {
        section.supports.clear();
        section.clearance.supports.clear();
        return;
    }
    if (!section.supports.empty() && section.supports.size() != count) {
        section.supports.resize(count, SectionSupport{});
        section.supports.front() = SectionSupport{.type = SupportType::kDeadEnd};
        section.supports.back() = SectionSupport{.type = SupportType::kDeadEnd};
    }
    if (!section.clearance.supports.empty() && section.clearance.supports.size() != count)
        section.clearance.supports.resize(count);
}

} // namespace

void CaseDocument::setSectionSpans(std::vector<SectionSpan> spans) {
    CaseSection section = content_.section;
    section.spans = std::move(spans);
    setSection(std::move(section));
}

void CaseDocument::setSection(CaseSection section) {
    FitSupportsToSpans(section);
    change(content_.section, std::move(section));
}

void CaseDocument::setUnits(UnitSystem units) { change(content_.units, units); }

void CaseDocument::setFieldCheck(const CaseFieldCheck& fieldCheck) {
    change(content_.fieldCheck, fieldCheck);
}

void CaseDocument::setIce(const CaseIce& ice) { change(content_.ice, ice); }

CaseReadResult CaseDocument::open(const std::filesystem::path& path) {
    CaseReadResult read = ReadCaseFile(path);
    if (!read.caseFile) return read;
    content_ = *read.caseFile;
    path_ = path;
    hasConditions_ = true;
    modified_ = false;
    notify();
    return read;
}

AtomicWriteResult CaseDocument::save(const std::filesystem::path& path) {
    AtomicWriteResult written = WriteCaseFile(path, content_);
    if (!written.ok) return written;
    path_ = path;
    modified_ = false;
    notify();
    return written;
}

void CaseDocument::notify() const {
    if (changed_) changed_();
}

} // namespace orvalt
