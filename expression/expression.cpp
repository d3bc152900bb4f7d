#include "expression/expression.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#include "expression/name_table.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

// Only ASCII counts: the character classes of the C locale, whatever the process locale says.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr std::uint32_t Pack(std::string_view name) {
    std::uint32_t v = 0;
    for (const char c : name)
        v = (v << 8) | static_cast<unsigned char>(Upper(c));
    return v;
}

// The built-in functions, in the order of their node kinds. Every token is checked against them,
// so the names are compared packed into integers. MAX and MIN have no function of their own:
// they retype their argument's top node.
struct Builtin {
    const char* name;
    std::uint32_t key;
    double (*apply)(double);
    bool (*valid)(double);  // null: every argument; else false raises DomainError
};
constexpr Builtin MakeBuiltin(const char* name, double (*apply)(double) = nullptr,
                              bool (*valid)(double) = nullptr) {
    return {name, Pack(name), apply, valid};
}
constexpr Builtin kBuiltins[] = {
    MakeBuiltin("SIN", [](double a) { return std::sin(a); }),
    MakeBuiltin("COS", [](double a) { return std::cos(a); }),
    MakeBuiltin("EXP", [](double a) { return std::exp(a); }),
    MakeBuiltin(
        "SQRT", [](double a) { return std::sqrt(a); }, [](double a) { return !(a < 0.0); }),
    MakeBuiltin(
        "LOG", [](double a) { return std::log(a); }, [](double a) { return !(a <= 0.0); }),
    MakeBuiltin("TG", [](double a) { return std::tan(a); }),
    MakeBuiltin("CTG", [](double a) { return 1.0 / std::tan(a); }),
    MakeBuiltin("ASIN", [](double a) { return std::asin(a); }),
    MakeBuiltin("ACOS", [](double a) { return std::acos(a); }),
    MakeBuiltin("ATG", [](double a) { return std::atan(a); }),
    MakeBuiltin("MAX"),
    MakeBuiltin("MIN"),
    MakeBuiltin("ABS", [](double a) { return std::fabs(a); }),
};
constexpr int kFirstBuiltin = static_cast<int>(ExprOp::Sin);
static_assert(std::size(kBuiltins) == static_cast<std::size_t>(ExprOp::Abs) - kFirstBuiltin + 1);

const Builtin* BuiltinOf(ExprOp op) {
    const int i = static_cast<int>(op) - kFirstBuiltin;
    return i >= 0 && i < static_cast<int>(std::size(kBuiltins)) ? &kBuiltins[i] : nullptr;
}

// Every token is looked up as a function name, so the lookup is a perfect hash of the packed name
// into 32 slots: kFunctionMultiplier is the first that gives each function a slot of its own.
constexpr unsigned FunctionSlot(std::uint32_t key, std::uint32_t multiplier) {
    return (key * multiplier) >> 27;
}
constexpr std::uint32_t kFunctionMultiplier = [] {
    for (std::uint32_t m = 1;; m += 2) {
        std::uint32_t used = 0;
        for (const Builtin& b : kBuiltins)
            used |= std::uint32_t{1} << FunctionSlot(b.key, m);
        if (std::popcount(used) == static_cast<int>(std::size(kBuiltins))) return m;
    }
}();
constexpr auto kFunctionSlots = [] {
    std::array<std::int8_t, 32> slots;
    slots.fill(-1);
    for (std::size_t i = 0; i < std::size(kBuiltins); ++i)
        slots[FunctionSlot(kBuiltins[i].key, kFunctionMultiplier)] = static_cast<std::int8_t>(i);
    return slots;
}();

// The function named by token in any case; false for every other token.
bool FunctionOf(std::string_view token, ExprOp& op) {
    if (token.size() < 2 || token.size() > 4) return false;
    const std::uint32_t key = Pack(token);
    const int i = kFunctionSlots[FunctionSlot(key, kFunctionMultiplier)];
    if (i < 0 || kBuiltins[i].key != key) return false;
    op = static_cast<ExprOp>(kFirstBuiltin + i);
    return true;
}

// atof of a run of digits and dots. Up to 15 digits with at most one dot are exact as an integer
// over a power of ten up to 1e22, and dividing two exact doubles rounds as atof does; anything
// else goes to atof itself.
double NumberValue(std::string_view digits) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t mantissa = 0;
    int count = 0, decimals = -1;
    for (const char c : digits) {
        if (c == '.') {
            if (decimals >= 0) return CAtof(digits);
            decimals = 0;
            continue;
        }
        if (++count > 15) return CAtof(digits);
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        if (decimals >= 0) ++decimals;
    }
    const double value = static_cast<double>(mantissa);
    return decimals > 0 ? value / kPowers[decimals] : value;
}

// "&" and "|" truncate their operands to integers. Every value strictly between -1 and 1 is
// false; NaN and values beyond the integer range are true, since the conversion yields INT_MIN.
bool Truthy(double v) {
    return !(std::fabs(v) < 1.0);
}

void PutLittleEndian(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool GetLittleEndian(std::string_view in, std::size_t& pos, int bytes, std::uint32_t& v) {
    if (in.size() - pos < static_cast<std::size_t>(bytes)) return false;
    v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[pos + i])) << (8 * i);
    pos += static_cast<std::size_t>(bytes);
    return true;
}

}  // namespace

// Copies and moves look their names up again when evaluated: the resolved slots stay behind.
CExpression::CExpression(const CExpression& other)
    : table_(other.table_), text_(other.text_), root_(other.root_), nodes_(other.nodes_) {}

CExpression& CExpression::operator=(const CExpression& other) {
    if (this != &other) {
        table_ = other.table_;
        text_ = other.text_;
        nodes_ = other.nodes_;
        root_ = other.root_;
        position_ = 0;
        status_ = ExprStatus::Ok;
        resolvedTable_ = nullptr;
    }
    return *this;
}

CExpression::CExpression(CExpression&& other) noexcept
    : table_(other.table_),
      text_(std::move(other.text_)),
      position_(other.position_),
      status_(other.status_),
      root_(std::exchange(other.root_, -1)),
      nodes_(std::move(other.nodes_)) {
    other.text_.clear();
    other.nodes_.clear();
    other.position_ = 0;
}

CExpression& CExpression::operator=(CExpression&& other) noexcept {
    if (this != &other) {
        table_ = other.table_;
        text_ = std::move(other.text_);
        nodes_ = std::move(other.nodes_);
        position_ = other.position_;
        status_ = other.status_;
        root_ = std::exchange(other.root_, -1);
        resolvedTable_ = nullptr;
        other.text_.clear();
        other.nodes_.clear();
        other.position_ = 0;
    }
    return *this;
}

const char* ExprParseResult::description() const {
    // By ExprParseStatus.
    static constexpr const char* kDescriptions[] = {
        "No error",
        "Expected a number, a name, a function, \"-\" or \"(\"",
        "Unknown name",
        "Missing \")\"",
        "Unexpected text after the expression",
        "MAX and MIN need two operands, as in MAX(A,B)",
        "Nested too deeply",
        "Text too long",
    };
    static_assert(std::size(kDescriptions) ==
                  static_cast<std::size_t>(ExprParseStatus::TooLong) + 1);
    const auto i = static_cast<std::size_t>(status);
    return i < std::size(kDescriptions) ? kDescriptions[i] : "Unknown status";
}

ExprParseResult CExpression::Parse(std::string_view text) {
    nodes_.clear();
    resolved_.clear();
    resolvedTable_ = nullptr;
    root_ = -1;
    position_ = 0;
    nesting_ = 0;
    if (text.size() > kMaxTextLength) {
        text_.clear();
        return {ExprParseStatus::TooLong, 0};
    }
    // The cursor never passes a NUL, and std::string keeps one after the last byte, so Peek
    // needs no bounds check.
    text_.assign(text);
    // Nearly every byte of a long formula makes a node; growing the pool step by step would copy
    // it again and again.
    nodes_.reserve(text.size() + 1);
    const int root = Expr();
    if (root >= 0 && Peek() != '\0') Fail(ExprParseStatus::TrailingText);
    if (root < 0 || Peek() != '\0') {
        nodes_.clear();
        return {error_, position_};
    }
    root_ = root;
    resolvedTable_ = table_;
    resolvedGeneration_ = table_ ? table_->Generation() : 0;
    return {ExprParseStatus::Ok, position_};
}

void CExpression::SkipBlanks() {
    while (Peek() == ' ')
        ++position_;
}

bool CExpression::Enter() {
    if (nesting_ >= kMaxDepth) return false;
    ++nesting_;
    return true;
}

int CExpression::AddNode(ExprOp op, int left, int right) {
    const int index = static_cast<int>(nodes_.size());
    ExprNode node;
    node.op = op;
    node.left = left;
    node.right = right;
    nodes_.push_back(node);
    for (const int child : {left, right})
        if (child >= 0) nodes_[static_cast<std::size_t>(child)].parent = index;
    return index;
}

// Operands joined by the operators of one level, left-associative, in a loop: chains of any
// length cost no stack.
template <int (CExpression::*Operand)(), char... Operators>
int CExpression::Chain() {
    int left = (this->*Operand)();
    while (left >= 0) {
        const char c = Peek();
        if (!((c == Operators) || ...)) return left;
        ++position_;
        const int right = (this->*Operand)();
        if (right < 0) return -1;
        left = AddNode(static_cast<ExprOp>(c), left, right);
    }
    return -1;
}

// expr := term { ("-" | "+" | "|" | "," | "&") term }
int CExpression::Expr() {
    return Chain<&CExpression::Term, '-', '+', '|', ',', '&'>();
}

// term := factor { ("*" | "/") factor }
int CExpression::Term() {
    return Chain<&CExpression::Factor, '*', '/'>();
}

// factor := relation { "^" relation }
int CExpression::Factor() {
    return Chain<&CExpression::Relation, '^'>();
}

// relation := unary { ("<" | ">") unary }
int CExpression::Relation() {
    return Chain<&CExpression::Unary, '<', '>'>();
}

// unary := "!" unary | base
int CExpression::Unary() {
    if (Peek() != '!') return Base();
    if (!Enter()) return Fail(ExprParseStatus::TooDeep);
    ++position_;
    const int operand = Unary();
    --nesting_;
    if (operand < 0) return -1;
    return AddNode(ExprOp::Not, -1, operand);
}

// base := blanks ( "-" expr | "(" expr ")" | atom )
int CExpression::Base() {
    SkipBlanks();
    const char c = Peek();
    if (c != '-' && c != '(') return Atom();
    if (!Enter()) return Fail(ExprParseStatus::TooDeep);
    ++position_;
    const int inner = Expr();
    --nesting_;
    if (inner < 0) return -1;
    if (c == '(') {
        if (Peek() != ')') return Fail(ExprParseStatus::MissingParenthesis);
        ++position_;
        return inner;
    }
    const int minusOne = AddNode(ExprOp::Number, -1, -1);
    nodes_[static_cast<std::size_t>(minusOne)].value = -1.0;
    return AddNode(ExprOp::Multiply, minusOne, inner);
}

// atom := (number | name | call) blanks
int CExpression::Atom() {
    const int start = position_;
    bool digits = false;
    if (IsDigit(Peek())) {
        digits = true;
        while (IsDigit(Peek()) || Peek() == '.')
            ++position_;
    }
    int result;
    if (IsLetter(Peek())) {
        while (IsLetter(Peek()) || IsDigit(Peek()))
            ++position_;
        const auto length = static_cast<std::size_t>(position_ - start);
        const std::string_view token(text_.data() + start, length);
        ExprOp function;
        if (FunctionOf(token, function)) {
            result = Call(function);
            if (result < 0) return -1;
        } else {
            const CValue* value = table_ ? table_->Lookup(token) : nullptr;
            if (value == nullptr) {
                SkipBlanks();
                return Fail(ExprParseStatus::UnknownName);
            }
            result = AddNode(ExprOp::Name, -1, -1);
            nodes_[static_cast<std::size_t>(result)].name = {
                static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(resolved_.size())};
            resolved_.push_back(value);
        }
    } else if (digits) {
        result = AddNode(ExprOp::Number, -1, -1);
        nodes_[static_cast<std::size_t>(result)].value = NumberValue(
            std::string_view(text_.data() + start, static_cast<std::size_t>(position_ - start)));
    } else {
        return Fail(ExprParseStatus::ExpectedOperand);
    }
    SkipBlanks();
    return result;
}

// call := function base
int CExpression::Call(ExprOp function) {
    if (!Enter()) return Fail(ExprParseStatus::TooDeep);
    const int argument = Base();
    --nesting_;
    if (argument < 0) return -1;
    if (function == ExprOp::Max || function == ExprOp::Min) {
        // MAX and MIN compare the two operands of their argument's top node; an argument without
        // two operands would leave nothing to compare.
        ExprNode& node = nodes_[static_cast<std::size_t>(argument)];
        if (node.left < 0 || node.right < 0) return Fail(ExprParseStatus::NoOperandPair);
        node.op = function;
        return argument;
    }
    return AddNode(function, argument, -1);
}

ExprStatus CExpression::Evaluate(double& out) {
    status_ = ExprStatus::Ok;
    if (root_ < 0) return ExprStatus::NoTree;
    pending_.clear();
    out = EvaluateNode(root_);
    return status_;
}

// Operator chains nest to the left without limit, so the left spine of two-operand nodes is
// walked down and, through the parent links, up again in loops; recursion goes only into right
// operands and one-operand nodes, whose depth the parser bounds.
double CExpression::EvaluateNode(int top) {
    int index = top;
    for (;;) {
        const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
        if (n.right < 0 || n.left < 0) break;
        if (n.op == ExprOp::Divide) {
            // The divisor comes first, and its zero is flagged before the dividend is read, so a
            // name in the dividend overwrites the status.
            const double divisor = EvaluateNode(n.right);
            if (divisor == 0.0) Raise(ExprStatus::DivideByZero);
            pending_.push_back({divisor, 0});
        } else if (n.op == ExprOp::Max || n.op == ExprOp::Min) {
            pending_.push_back({0.0, events_});
        }
        index = n.left;
    }
    double value = EvaluateOperand(index);
    while (index != top) {
        index = nodes_[static_cast<std::size_t>(index)].parent;
        value = Finish(index, value);
    }
    return value;
}

// A two-operand node once its left operand is known.
double CExpression::Finish(int index, double l) {
    const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
    switch (n.op) {
        case ExprOp::Add:
            return l + Operand(n.right);
        case ExprOp::Subtract:
            return l - Operand(n.right);
        case ExprOp::Multiply:
            return l * Operand(n.right);
        case ExprOp::Divide: {
            const double divisor = pending_.back().divisor;
            pending_.pop_back();
            return divisor == 0.0 ? -l / 0.001 : l / divisor;
        }
        case ExprOp::Power:
            return std::pow(l, Operand(n.right));
        case ExprOp::Less:
            return l < Operand(n.right) ? 1.0 : 0.0;
        case ExprOp::Greater:
            return l > Operand(n.right) ? 1.0 : 0.0;
        case ExprOp::And:
            if (!Truthy(l)) return 0.0;
            return Truthy(Operand(n.right)) ? 1.0 : 0.0;
        case ExprOp::Or:
            if (Truthy(l)) return 1.0;
            return Truthy(Operand(n.right)) ? 1.0 : 0.0;
        case ExprOp::List:
            return l;
        case ExprOp::Max:
        case ExprOp::Min: {
            // Each operand is evaluated once; the result and status are those of evaluating the
            // winner a second time, whose events would then come last. Evaluating it again for
            // real doubles the work at every level of nesting.
            const bool leftRaised = events_ != pending_.back().events;
            pending_.pop_back();
            const ExprStatus leftStatus = status_;
            const double r = Operand(n.right);
            const bool leftWins = n.op == ExprOp::Max ? r < l : !(r <= l);
            if (!leftWins) return r;
            if (leftRaised) status_ = leftStatus;
            return l;
        }
        default:
            return 0.0;
    }
}

std::string_view CExpression::NameOf(const ExprNode& node) const {
    // The token as ParseAtom read it: digits and dots, then letters and digits.
    const std::size_t start = node.name.offset;
    std::size_t end = start;
    while (end < text_.size() && (IsDigit(text_[end]) || text_[end] == '.'))
        ++end;
    while (end < text_.size() && (IsLetter(text_[end]) || IsDigit(text_[end])))
        ++end;
    return std::string_view(text_).substr(start, end - start);
}

double CExpression::NameValue(const ExprNode& n) {
    // A name is looked up again when evaluated; while the table has not changed since the
    // parse, the lookup would give the object the parse found.
    const CValue* v =
        table_ && table_ == resolvedTable_ && table_->Generation() == resolvedGeneration_
            ? resolved_[n.name.slot]
        : table_ ? table_->Lookup(NameOf(n))
                 : nullptr;
    if (v == nullptr) {
        Raise(ExprStatus::UnknownName);
        return 0.0;
    }
    Raise(ExprStatus::NameResolved);
    return v->GetValue();
}

// Numbers, names, "!" and one-argument functions.
double CExpression::EvaluateOperand(int index) {
    const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
    switch (n.op) {
        case ExprOp::Number:
            return n.value;
        case ExprOp::Name:
            return NameValue(n);
        case ExprOp::Not:
            return EvaluateNode(n.right) == 0.0 ? 1.0 : 0.0;
        default: {
            const Builtin* f = BuiltinOf(n.op);
            if (f == nullptr || f->apply == nullptr) return 0.0;
            const double a = EvaluateNode(n.left);
            if (f->valid && !f->valid(a)) {
                Raise(ExprStatus::DomainError);
                return 0.0;
            }
            return f->apply(a);
        }
    }
}

void CExpression::Save(std::string& out) const {
    const auto n = static_cast<std::uint32_t>(text_.size());
    if (n < 0xFF) {
        PutLittleEndian(out, n, 1);
    } else if (n < 0xFFFE) {
        PutLittleEndian(out, 0xFF, 1);
        PutLittleEndian(out, n, 2);
    } else {
        PutLittleEndian(out, 0xFF, 1);
        PutLittleEndian(out, 0xFFFF, 2);
        PutLittleEndian(out, n, 4);
    }
    out.append(text_);
}

bool CExpression::Load(std::string_view in, std::size_t& pos) {
    if (pos > in.size()) return false;
    std::size_t p = pos;
    std::uint32_t length = 0;
    if (!GetLittleEndian(in, p, 1, length)) return false;
    if (length == 0xFF) {
        if (!GetLittleEndian(in, p, 2, length)) return false;
        // 0xFFFE marks a wide-character string, which this stream never holds.
        if (length == 0xFFFE) return false;
        if (length == 0xFFFF && !GetLittleEndian(in, p, 4, length)) return false;
    }
    if (length > kMaxTextLength || in.size() - p < length) return false;
    Parse(in.substr(p, length));
    pos = p + length;
    return true;
}

std::string CExpression::TreeText() const {
    std::string out;
    if (root_ >= 0) AppendTreeText(root_, out);
    return out;
}

// Left spines in loops, as in EvaluateNode.
void CExpression::AppendTreeText(int top, std::string& out) const {
    int index = top;
    for (;;) {
        const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
        if (n.left < 0 || n.right < 0) break;
        out += '(';
        if (const Builtin* f = BuiltinOf(n.op)) {
            out += f->name;
        } else {
            out += static_cast<char>(n.op);
        }
        out += ' ';
        index = n.left;
    }
    const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
    if (n.op == ExprOp::Number) {
        out += CFormat("%.15g", n.value);
    } else if (n.op == ExprOp::Name) {
        out += NameOf(n);
    } else {
        const Builtin* f = BuiltinOf(n.op);
        out += '(';
        out += f ? f->name : "!";
        out += ' ';
        AppendTreeText(n.left >= 0 ? n.left : n.right, out);
        out += ')';
    }
    while (index != top) {
        index = nodes_[static_cast<std::size_t>(index)].parent;
        out += ' ';
        AppendTreeText(nodes_[static_cast<std::size_t>(index)].right, out);
        out += ')';
    }
}

double CalcExpressionText(CExpression& expression, CNameTable* table, std::string_view text,
                          CalcOutcome* outcome) {
    expression.SetNameTable(table);
    const ExprParseResult parse = expression.Parse(text);
    double value = 0.0;
    const ExprStatus status = parse ? expression.Evaluate(value) : ExprStatus::NoTree;
    if (outcome) *outcome = {parse, status};
    // A text that fails at its first character reads as 0.0, as the empty text does.
    if (!parse) return parse.offset > 0 ? kCalcFailure : 0.0;
    return status == ExprStatus::DivideByZero ? kCalcFailure : value;
}

}  // namespace quorin
