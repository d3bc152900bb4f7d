// Arbitrary bytes as an expression text and as a saved stream: parse, evaluate, copy and save/load
// must never crash, and every copy and reloaded expression must give the same bits and status.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "expression/expression.h"
#include "expression/name_table.h"
#include "expression/vocabularies.h"

namespace {

using namespace quorin;

// The keyword constants and a few settings after them ("D" hides the keyword, as a template
// setting does).
struct Names {
    struct Setting {
        const char* name;
        CValue value;
    };
    CNameTable table;
    CKeywordConstants keywords;
    Setting settings[7] = {{"X", CValue(2.5)},    {"Y", CValue(-4.0)}, {"Z1", CValue(1.5)},
                           {"PHI", CValue(75.0)}, {"D", CValue(7.0)},  {"ZERO", CValue(0.0)},
                           {"T_1", CValue(3.0)}};
    Names() {
        keywords.Register(table);
        for (Setting& s : settings)
            table.SetAt(s.name, &s.value);
    }
};

void Require(bool condition) {
    if (!condition) std::abort();
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Evaluates e and checks that other gives the same result.
void RequireSameResult(CExpression& e, CExpression& other) {
    double a = 0.0, b = 0.0;
    const ExprStatus sa = e.Evaluate(a);
    const ExprStatus sb = other.Evaluate(b);
    Require(sa == sb);
    Require(SameBits(a, b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Names names;
    static CExpression reused(&names.table);  // like the template's one expression
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const ExprParseResult parsed = reused.Parse(text);
    Require(parsed.offset >= 0 && parsed.offset <= static_cast<int>(size));
    Require(bool(parsed) == reused.HasTree());
    Require(std::strlen(parsed.description()) > 0);
    double value = 0.0;
    const ExprStatus status = reused.Evaluate(value);
    Require(reused.HasTree() || status == ExprStatus::NoTree);
    if (reused.HasTree()) Require(!reused.TreeText().empty());

    CExpression fresh(&names.table);
    const ExprParseResult again = fresh.Parse(text);
    Require(again.status == parsed.status && again.offset == parsed.offset);
    RequireSameResult(reused, fresh);

    CExpression copy(reused);
    reused.Parse("1");  // the copy owns its tree
    RequireSameResult(fresh, copy);

    std::string stream;
    fresh.Save(stream);
    CExpression loaded(&names.table);
    std::size_t pos = 0;
    Require(loaded.Load(stream, pos) && pos == stream.size());
    Require(loaded.Text() == fresh.Text());
    RequireSameResult(fresh, loaded);

    CalcOutcome outcome;
    const double calc = CalcExpressionText(reused, &names.table, text, &outcome);
    Require(outcome.parse.status == parsed.status && outcome.parse.offset == parsed.offset);
    double direct = 0.0;
    fresh.Evaluate(direct);
    const bool failed =
        (!parsed && parsed.offset > 0) || outcome.status == ExprStatus::DivideByZero;
    Require(SameBits(calc, failed ? kCalcFailure : (!parsed ? 0.0 : direct)));

    // The same bytes as a stream of saved expressions.
    CExpression raw(&names.table);
    for (std::size_t p = 0; p < size;) {
        const std::size_t before = p;
        if (!raw.Load(text, p)) {
            Require(p == before);
            break;
        }
        Require(p > before);
        double v = 0.0;
        raw.Evaluate(v);
    }
    return 0;
}
