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

void CaseDocument::setSectionSpans(std::vector<SectionSpan> spans) {
    change(content_.section.spans, std::move(spans));
}

void CaseDocument::setSection(CaseSection section) {
    change(content_.section, std::move(section));
}

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
