#include "expression/expression.h"

#include <algorithm>
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
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr std::uint32_t Pack(std::string_view name) {
    std::uint32_t v = 0;
    for (const char c : name)
        v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

// The function named by token in any case; false for every other token. Every token is checked,
// so the names are compared as packed integers rather than strings.
bool FunctionOf(std::string_view token, ExprOp& op) {
    if (token.size() < 2 || token.size() > 4) return false;
    std::uint32_t key = 0;
    for (const char c : token)
        key = (key << 8) | static_cast<unsigned char>(Upper(c));
    switch (key) {
        case Pack("SIN"):
            op = ExprOp::Sin;
            return true;
        case Pack("COS"):
            op = ExprOp::Cos;
            return true;
        case Pack("EXP"):
            op = ExprOp::Exp;
            return true;
        case Pack("SQRT"):
            op = ExprOp::Sqrt;
            return true;
        case Pack("LOG"):
            op = ExprOp::Log;
            return true;
        case Pack("TG"):
            op = ExprOp::Tg;
            return true;
        case Pack("CTG"):
            op = ExprOp::Ctg;
            return true;
        case Pack("ASIN"):
            op = ExprOp::Asin;
            return true;
        case Pack("ACOS"):
            op = ExprOp::Acos;
            return true;
        case Pack("ATG"):
            op = ExprOp::Atg;
            return true;
        case Pack("MAX"):
            op = ExprOp::Max;
            return true;
        case Pack("MIN"):
            op = ExprOp::Min;
            return true;
        case Pack("ABS"):
            op = ExprOp::Abs;
            return true;
        default:
            return false;
    }
}

// "&" and "|" truncate their operands to integers. Every value strictly between -1 and 1 is
// false; NaN and values beyond the integer range are true, since the conversion yields INT_MIN.
bool Truthy(double v) {
    return !(std::fabs(v) < 1.0);
}

const char* FunctionName(ExprOp op) {
    switch (op) {
        case ExprOp::Sin:
            return "SIN";
        case ExprOp::Cos:
            return "COS";
        case ExprOp::Exp:
            return "EXP";
        case ExprOp::Sqrt:
            return "SQRT";
        case ExprOp::Log:
            return "LOG";
        case ExprOp::Tg:
            return "TG";
        case ExprOp::Ctg:
            return "CTG";
        case ExprOp::Asin:
            return "ASIN";
        case ExprOp::Acos:
            return "ACOS";
        case ExprOp::Atg:
            return "ATG";
        case ExprOp::Max:
            return "MAX";
        case ExprOp::Min:
            return "MIN";
        case ExprOp::Abs:
            return "ABS";
        default:
            return nullptr;
    }
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

CExpression::CExpression(const CExpression& other)
    : table_(other.table_), text_(other.text_), root_(other.root_), nodes_(other.nodes_) {}

CExpression& CExpression::operator=(const CExpression& other) {
    if (this != &other) {
        table_ = other.table_;
        text_ = other.text_;
        nodes_ = other.nodes_;
        root_ = other.root_;
        position_ = 0;
        status_ = 0;
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
        other.text_.clear();
        other.nodes_.clear();
        other.position_ = 0;
    }
    return *this;
}

int CExpression::Parse(std::string_view text) {
    nodes_.clear();
    root_ = -1;
    position_ = 0;
    nesting_ = 0;
    if (text.size() > kMaxTextLength) {
        text_.clear();
        return 0;
    }
    // The cursor never passes a NUL, and std::string keeps one after the last byte, so Peek
    // needs no bounds check.
    text_.assign(text);
    const int root = ParseLevel1();
    if (root < 0 || Peek() != '\0') {
        nodes_.clear();
        return position_;
    }
    root_ = root;
    return -1;
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
    ExprNode node;
    node.op = op;
    node.left = left;
    node.right = right;
    nodes_.push_back(node);
    return static_cast<int>(nodes_.size() - 1);
}

int CExpression::Binary(ExprOp op, int left, int right) {
    int below = 0;
    if (left >= 0) below = nodes_[static_cast<std::size_t>(left)].height;
    if (right >= 0) below = std::max<int>(below, nodes_[static_cast<std::size_t>(right)].height);
    if (below + 1 > kMaxDepth) return -1;
    const int index = AddNode(op, left, right);
    nodes_[static_cast<std::size_t>(index)].height = static_cast<std::uint16_t>(below + 1);
    return index;
}

// level1 := level2 { ("-" | "+" | "|" | "," | "&") level2 }
int CExpression::ParseLevel1() {
    int left = ParseLevel2();
    while (left >= 0) {
        const char c = Peek();
        if (c != '-' && c != '+' && c != '|' && c != ',' && c != '&') return left;
        ++position_;
        const int right = ParseLevel2();
        if (right < 0) return -1;
        left = Binary(static_cast<ExprOp>(c), left, right);
    }
    return -1;
}

// level2 := level3 { ("*" | "/") level3 }
int CExpression::ParseLevel2() {
    int left = ParseLevel3();
    while (left >= 0) {
        const char c = Peek();
        if (c != '*' && c != '/') return left;
        ++position_;
        const int right = ParseLevel3();
        if (right < 0) return -1;
        left = Binary(static_cast<ExprOp>(c), left, right);
    }
    return -1;
}

// level3 := level4 { "^" level4 }
int CExpression::ParseLevel3() {
    int left = ParseLevel4();
    while (left >= 0) {
        if (Peek() != '^') return left;
        ++position_;
        const int right = ParseLevel4();
        if (right < 0) return -1;
        left = Binary(ExprOp::Power, left, right);
    }
    return -1;
}

// level4 := level5 { ("<" | ">") level5 }
int CExpression::ParseLevel4() {
    int left = ParseLevel5();
    while (left >= 0) {
        const char c = Peek();
        if (c != '<' && c != '>') return left;
        ++position_;
        const int right = ParseLevel5();
        if (right < 0) return -1;
        left = Binary(static_cast<ExprOp>(c), left, right);
    }
    return -1;
}

// level5 := "!" level5 | primary
int CExpression::ParseLevel5() {
    if (Peek() != '!') return ParsePrimary();
    if (!Enter()) return -1;
    ++position_;
    const int operand = ParseLevel5();
    --nesting_;
    if (operand < 0) return -1;
    return Binary(ExprOp::Not, -1, operand);
}

// primary := blanks ( "-" level1 | "(" level1 ")" | atom )
int CExpression::ParsePrimary() {
    SkipBlanks();
    const char c = Peek();
    if (c == '-') {
        if (!Enter()) return -1;
        ++position_;
        const int operand = ParseLevel1();
        --nesting_;
        if (operand < 0) return -1;
        const int minusOne = AddNode(ExprOp::Number, -1, -1);
        nodes_[static_cast<std::size_t>(minusOne)].value = -1.0;
        return Binary(ExprOp::Multiply, minusOne, operand);
    }
    if (c == '(') {
        if (!Enter()) return -1;
        ++position_;
        const int inner = ParseLevel1();
        --nesting_;
        if (inner < 0 || Peek() != ')') return -1;
        ++position_;
        return inner;
    }
    return ParseAtom();
}

// atom := (number | name | function primary) blanks
int CExpression::ParseAtom() {
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
            result = ParseFunction(function);
            if (result < 0) return -1;
        } else {
            if (table_ == nullptr || table_->Lookup(token) == nullptr) {
                SkipBlanks();
                return -1;
            }
            result = AddNode(ExprOp::Name, -1, -1);
            ExprNode& node = nodes_[static_cast<std::size_t>(result)];
            node.nameOffset = static_cast<std::uint32_t>(start);
            node.nameLength = static_cast<std::uint32_t>(length);
        }
    } else if (digits) {
        result = AddNode(ExprOp::Number, -1, -1);
        nodes_[static_cast<std::size_t>(result)].value = CAtof(
            std::string_view(text_.data() + start, static_cast<std::size_t>(position_ - start)));
    } else {
        return -1;
    }
    SkipBlanks();
    return result;
}

// function := name primary
int CExpression::ParseFunction(ExprOp function) {
    if (!Enter()) return -1;
    const int argument = ParsePrimary();
    --nesting_;
    if (argument < 0) return -1;
    if (function == ExprOp::Max || function == ExprOp::Min) {
        // MAX and MIN compare the two operands of their argument's top node; an argument without
        // two operands would leave nothing to compare.
        ExprNode& node = nodes_[static_cast<std::size_t>(argument)];
        if (node.left < 0 || node.right < 0) return -1;
        node.op = function;
        return argument;
    }
    return Binary(function, argument, -1);
}

int CExpression::Evaluate(double& out) {
    status_ = kStatusOk;
    if (root_ < 0) return kStatusNoTree;
    out = EvaluateNode(root_);
    return status_;
}

double CExpression::EvaluateNode(int index) {
    const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
    switch (n.op) {
        case ExprOp::Number:
            return n.value;
        case ExprOp::Name: {
            const CValue* v = table_ ? table_->Lookup(NameOf(n)) : nullptr;
            if (v == nullptr) {
                status_ = kStatusUnknownName;
                return 0.0;
            }
            status_ = kStatusNameResolved;
            return v->GetValue();
        }
        case ExprOp::Add: {
            const double l = EvaluateNode(n.left);
            return l + EvaluateNode(n.right);
        }
        case ExprOp::Subtract: {
            const double l = EvaluateNode(n.left);
            return l - EvaluateNode(n.right);
        }
        case ExprOp::Multiply: {
            const double l = EvaluateNode(n.left);
            return l * EvaluateNode(n.right);
        }
        case ExprOp::Divide: {
            // The divisor comes first, and its zero is flagged before the dividend is read, so a
            // name in the dividend overwrites the status.
            const double r = EvaluateNode(n.right);
            if (r == 0.0) {
                status_ = kStatusDivideByZero;
                return -EvaluateNode(n.left) / 0.001;
            }
            return EvaluateNode(n.left) / r;
        }
        case ExprOp::Power: {
            const double l = EvaluateNode(n.left);
            return std::pow(l, EvaluateNode(n.right));
        }
        case ExprOp::Less: {
            const double l = EvaluateNode(n.left);
            return l < EvaluateNode(n.right) ? 1.0 : 0.0;
        }
        case ExprOp::Greater: {
            const double l = EvaluateNode(n.left);
            return l > EvaluateNode(n.right) ? 1.0 : 0.0;
        }
        case ExprOp::And:
            if (!Truthy(EvaluateNode(n.left))) return 0.0;
            return Truthy(EvaluateNode(n.right)) ? 1.0 : 0.0;
        case ExprOp::Or:
            if (Truthy(EvaluateNode(n.left))) return 1.0;
            return Truthy(EvaluateNode(n.right)) ? 1.0 : 0.0;
        case ExprOp::Not:
            return EvaluateNode(n.right) == 0.0 ? 1.0 : 0.0;
        case ExprOp::List:
            return EvaluateNode(n.left);
        case ExprOp::Sin:
            return std::sin(EvaluateNode(n.left));
        case ExprOp::Cos:
            return std::cos(EvaluateNode(n.left));
        case ExprOp::Tg:
            return std::tan(EvaluateNode(n.left));
        case ExprOp::Ctg:
            return 1.0 / std::tan(EvaluateNode(n.left));
        case ExprOp::Asin:
            return std::asin(EvaluateNode(n.left));
        case ExprOp::Acos:
            return std::acos(EvaluateNode(n.left));
        case ExprOp::Atg:
            return std::atan(EvaluateNode(n.left));
        case ExprOp::Exp:
            return std::exp(EvaluateNode(n.left));
        case ExprOp::Abs:
            return std::fabs(EvaluateNode(n.left));
        case ExprOp::Sqrt: {
            const double a = EvaluateNode(n.left);
            if (a < 0.0) {
                status_ = kStatusDomainError;
                return 0.0;
            }
            return std::sqrt(a);
        }
        case ExprOp::Log: {
            const double a = EvaluateNode(n.left);
            if (a <= 0.0) {
                status_ = kStatusDomainError;
                return 0.0;
            }
            return std::log(a);
        }
        case ExprOp::Max: {
            // The winner is evaluated a second time, so its status events happen again.
            const double a = EvaluateNode(n.left);
            const double b = EvaluateNode(n.right);
            return b < a ? EvaluateNode(n.left) : EvaluateNode(n.right);
        }
        case ExprOp::Min: {
            const double a = EvaluateNode(n.left);
            const double b = EvaluateNode(n.right);
            return b <= a ? EvaluateNode(n.right) : EvaluateNode(n.left);
        }
    }
    return 0.0;
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

void CExpression::AppendTreeText(int index, std::string& out) const {
    const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
    if (n.op == ExprOp::Number) {
        out += CFormat("%.15g", n.value);
        return;
    }
    if (n.op == ExprOp::Name) {
        out += NameOf(n);
        return;
    }
    out += '(';
    if (const char* f = FunctionName(n.op)) {
        out += f;
    } else {
        out += static_cast<char>(n.op);
    }
    for (const int child : {n.left, n.right}) {
        if (child < 0) continue;
        out += ' ';
        AppendTreeText(child, out);
    }
    out += ')';
}

double CalcExpressionText(CExpression& expression, CNameTable* table, std::string_view text,
                          int* status, int* errorPosition) {
    expression.SetNameTable(table);
    const int stop = expression.Parse(text);
    if (errorPosition) *errorPosition = stop;
    if (stop > 0) {
        if (status) *status = kStatusNoTree;
        return kCalcFailure;
    }
    double value = 0.0;
    const int result = expression.Evaluate(value);
    if (status) *status = result;
    return result == kStatusDivideByZero ? kCalcFailure : value;
}

}  // namespace quorin
