// The section as JSON: read back with a small reader of its own, every key in
// place and every number the same float or double as the result it came from.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/tension_section.h"
#include "engine/output/section_json.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

// Just enough JSON for the section: objects, arrays, strings without
// escapes, numbers kept as their text, true and false.
struct Value {
    std::string text; // a number's or a string's text, "true", "false"
    std::vector<std::pair<std::string, Value>> members;
    std::vector<Value> items;
    bool object = false;
    bool array = false;

    const Value& operator[](std::string_view key) const {
        for (const auto& [name, value] : members) {
            if (name == key) return value;
        }
        ADD_FAILURE() << "no key " << key;
        static const Value none;
        return none;
    }
    template <typename Number>
    Number As() const {
        Number value{};
        const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
        EXPECT_TRUE(r.ec == std::errc() && r.ptr == text.data() + text.size()) << text;
        return value;
    }
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}
    Value Document() {
        Value v = Read();
        Skip();
        EXPECT_EQ(at_, text_.size()) << "text after the document";
        return v;
    }

private:
    void Skip() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n')) ++at_;
    }
    bool Take(char c) {
        Skip();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string String() {
        EXPECT_TRUE(Take('"'));
        const std::size_t end = text_.find('"', at_);
        std::string s(text_.substr(at_, end - at_));
        at_ = end + 1;
        return s;
    }
    Value Read() {
        Value v;
        Skip();
        if (Take('{')) {
            v.object = true;
            if (Take('}')) return v;
            do {
                std::string key = String();
                EXPECT_TRUE(Take(':'));
                v.members.emplace_back(std::move(key), Read());
            } while (Take(','));
            EXPECT_TRUE(Take('}')) << "at " << at_;
        } else if (Take('[')) {
            v.array = true;
            if (Take(']')) return v;
            do {
                v.items.push_back(Read());
            } while (Take(','));
            EXPECT_TRUE(Take(']')) << "at " << at_;
        } else if (at_ < text_.size() && text_[at_] == '"') {
            v.text = String();
        } else {
            const std::size_t end = text_.find_first_of(",}] \n", at_);
            v.text = std::string(text_.substr(at_, end - at_));
            EXPECT_FALSE(v.text.empty()) << "at " << at_;
            at_ = end;
        }
        return v;
    }
    std::string_view text_;
    std::size_t at_ = 0;
};

std::uint32_t Bits(float v) { return std::bit_cast<std::uint32_t>(v); }
std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

void ExpectBalanced(const Value& v, const BalancedState& state) {
    ASSERT_EQ(v["spans"].items.size(), state.spans.size());
    for (std::size_t i = 0; i < state.spans.size(); ++i) {
        const Value& s = v["spans"].items[i];
        ASSERT_EQ(s.members.size(), 5u);
        EXPECT_EQ(Bits(s["horizontalTension"].As<double>()),
                  Bits(state.spans[i].horizontalTension));
        EXPECT_EQ(Bits(s["sag"].As<double>()), Bits(state.spans[i].sag));
        EXPECT_EQ(Bits(s["upperSupportTension"].As<double>()),
                  Bits(state.spans[i].upperSupportTension));
        EXPECT_EQ(Bits(s["lowerSupportTension"].As<double>()),
                  Bits(state.spans[i].lowerSupportTension));
        EXPECT_EQ(s["overMaxTension"].text, state.spans[i].overMaxTension ? "true" : "false");
    }
    ASSERT_EQ(v["supports"].items.size(), state.supports.size());
    for (std::size_t j = 0; j < state.supports.size(); ++j) {
        const Value& s = v["supports"].items[j];
        EXPECT_EQ(Bits(s["displacement"].As<double>()), Bits(state.supports[j].displacement));
        EXPECT_EQ(Bits(s["swing"].As<double>()), Bits(state.supports[j].swing));
    }
}

TEST(SectionJson, EveryNumberReadsBackAsTheResult) {
    const CalculationState state = test::CalculatedAt100m(test::Wire240());
    const std::vector<SectionSpan> spans = {{120, 5}, {250, 30}, {180, -12}, {90, -40}};
    std::vector<SectionSupport> supports = DefaultSectionSupports(spans.size());
    supports[2] = {SupportType::kSuspension, 1.0, 35.0};
    const TensionSection ruling = ComputeTensionSection(state, spans);
    const SectionStringingChart chart = ComputeSectionStringingChart(state, spans, -10, 40, 10);
    const BalancedSection balanced =
        ComputeBalancedSection(state, spans, supports, 15, -10, 40, 10);
    const std::string text = ComposeSectionJson(ruling, chart, balanced);
    ASSERT_EQ(text.back(), '\n');
    const Value doc = Reader(text).Document();

    ASSERT_EQ(doc.members.size(), 3u);
    EXPECT_EQ(Bits(doc["equivalentSpan"].As<float>()), Bits(ruling.equivalentSpan));
    const Value& conditions = doc["conditions"];
    ASSERT_EQ(conditions.items.size(), 3u);
    const char* names[] = {"高温季", "低温季", "検討条件"};
    const std::int16_t temperatures[] = {15, -15, 90};
    for (std::size_t c = 0; c < 3; ++c) {
        SCOPED_TRACE(names[c]);
        const Value& v = conditions.items[c];
        EXPECT_EQ(v["name"].text, names[c]);
        EXPECT_EQ(v["temperature"].text, std::to_string(temperatures[c]));
        const Value& r = v["ruling"];
        EXPECT_EQ(Bits(r["horizontalTension"].As<float>()),
                  Bits(ruling.atEquivalentSpan[c].tension));
        ASSERT_EQ(r["spans"].items.size(), spans.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const Value& s = r["spans"].items[i];
            const SectionSpanResult& want = ruling.spans[i][c];
            EXPECT_EQ(Bits(s["sag"].As<float>()), Bits(want.slantSag));
            EXPECT_EQ(Bits(s["upperSupportTension"].As<float>()), Bits(want.upperSupportTension));
            EXPECT_EQ(Bits(s["lowerSupportTension"].As<float>()), Bits(want.lowerSupportTension));
            EXPECT_EQ(s["overMaxTension"].text, want.overMaxTension ? "true" : "false");
        }
        ExpectBalanced(v["balanced"], balanced.conditions[c]);
    }
    const Value& rows = doc["chart"];
    ASSERT_EQ(rows.items.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        const Value& v = rows.items[k];
        EXPECT_EQ(v["temperature"].text, std::to_string(-10 + 10 * static_cast<int>(k)));
        EXPECT_EQ(Bits(v["ruling"]["horizontalTension"].As<float>()), Bits(chart.tension[k]));
        ASSERT_EQ(v["ruling"]["spans"].items.size(), spans.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            EXPECT_EQ(Bits(v["ruling"]["spans"].items[i]["sag"].As<float>()),
                      Bits(chart.slantSag[i][k]));
        }
        ExpectBalanced(v["balanced"], balanced.chart[k]);
    }
    // The one string swings; its text is the shortest of its double.
    const double swing = balanced.chart[0].supports[2].swing;
    EXPECT_NE(swing, 0.0);
    char shortest[40];
    const auto r = std::to_chars(shortest, shortest + sizeof shortest, swing);
    EXPECT_EQ(rows.items[0]["balanced"]["supports"].items[2]["swing"].text,
              std::string(shortest, r.ptr));
    // A float is written as a float, not widened: at most 9 digits and a point.
    EXPECT_LE(doc["equivalentSpan"].text.size(), 10u) << doc["equivalentSpan"].text;
}

} // namespace
} // namespace orvalt
