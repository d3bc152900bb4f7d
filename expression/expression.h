// Expressions of relay templates: formulas over template settings and keyword constants, parsed
// into an operator tree and evaluated to a double.
//
// Grammar, lowest precedence first (operators are single characters, recognised only where the
// previous operand ended; only the blank is white space, a tab is an ordinary character):
//   expr     := term { ("-" | "+" | "|" | "," | "&") term }
//   term     := factor { ("*" | "/") factor }
//   factor   := relation { "^" relation }
//   relation := unary { ("<" | ">") unary }
//   unary    := "!" unary | base              ("!" only right at the cursor, no blank skipped)
//   base     := blanks ( "-" expr | "(" expr ")" | atom )
//                 unary minus is (-1.0 * whole expr); no blank is skipped after ")"
//   atom     := (number | name | call) blanks
//   call     := function base
//   number   := digits and "." (no exponent); a run continuing with letters is a name ("3V0")
//   name     := letters and digits, looked up case-sensitively when parsed and when evaluated
//   function := SIN COS EXP SQRT LOG TG CTG ASIN ACOS ATG MAX MIN ABS, any case
// MAX and MIN retype their argument's top node, whose two operands become the values compared:
// MAX(A,B) is max(A,B), but MAX(A,B-C) is ((A,B)-C) retyped, that is max(A,C). MAX returns the
// left operand when the right one is smaller, MIN the right one when it is smaller or equal; the
// status is then the winner's last event, or the status after both operands when the winner
// raised none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_block.h"

namespace quorin {

class CNameTable;
class CValue;

// Returned by CalcExpressionText for a syntax error past the first character and for a division
// by zero.
inline constexpr double kCalcFailure = -100000.0;

// Node kinds: an operator's code is its character; the functions count up from 150, SIN to ABS.
// clang-format off
enum class ExprOp : std::uint8_t {
    Not = '!', And = '&', Multiply = '*', Add = '+', List = ',', Subtract = '-', Divide = '/',
    Less = '<', Greater = '>', Number = '@', Power = '^', Name = '`', Or = '|',
    Sin = 150, Cos, Exp, Sqrt, Log, Tg, Ctg, Asin, Acos, Atg, Max, Min, Abs
};
// clang-format on

// The status of an evaluation; each event overwrites the previous one, the last one wins. The
// numbers are fixed: `quorin eval` and the Python package show them.
enum class ExprStatus : int {
    NoTree = -1,       // Evaluate without a parsed tree
    Ok = 0,            // nothing happened
    DivideByZero = 1,  // a divisor was exactly 0.0
    UnknownName = 3,   // a name was not in the table (or no table)
    DomainError = 4,   // SQRT of a negative, LOG of a non-positive
    NameResolved = 10  // a name was found and read
};

// Why a parse stopped.
enum class ExprParseStatus {
    Ok,                  // the whole text parsed into a tree
    ExpectedOperand,     // no number, name, function, "-" or "(" where an operand starts
    UnknownName,         // a name that the table does not hold, or no table
    MissingParenthesis,  // "(" without its ")"
    TrailingText,        // text after a complete expression: "(1+2) *3", "1)"
    NoOperandPair,       // MAX or MIN of an argument without two operands: "MAX(3)"
    TooDeep,             // nesting deeper than CExpression::kMaxDepth
    TooLong,             // a text longer than CExpression::kMaxTextLength
};

// What CExpression::Parse did: true when the whole text parsed, else why and where it stopped.
struct ExprParseResult {
    ExprParseStatus status = ExprParseStatus::Ok;
    // Where parsing stopped, a 0-based position: the text's end after a success, else the error
    // (0 for the empty text and a failure at the first character).
    int offset = 0;

    explicit operator bool() const { return status == ExprParseStatus::Ok; }
    // The status in English, e.g. "Unknown name"; never null.
    const char* description() const;
};

// A Name node's token, which starts at offset in the expression text (NameOf gives it), and the
// slot of the value object it named when parsed.
struct ExprToken {
    std::uint32_t offset;
    std::uint32_t slot;
};

// One node of a parsed tree. Nodes live in their expression's pool and refer to each other by
// index (-1 for none). A function keeps its argument in left, "!" its operand in right. A text of
// n bytes makes up to 2n nodes, so they are kept small.
struct ExprNode {
    std::int32_t left = -1;
    std::int32_t right = -1;
    union {
        double value = 0.0;  // a Number node's constant
        ExprToken name;      // a Name node's token
    };
    std::int32_t parent = -1;  // the node this one is an operand of
    ExprOp op = ExprOp::Number;
};

// Parses an expression text into a tree and evaluates it over a name table. One object is reused
// for many texts: the node pool and the text buffer keep their capacity, so a warm object parses
// without allocating. Not for concurrent use.
class CExpression {
public:
    // Deepest nesting of parentheses, unary minus, "!" and function arguments. Real templates
    // stay far below; deeper input fails to parse at the position reached. Chains of two-operand
    // operators ("1+1+...+1") may be of any length: parsing, evaluation and TreeText walk them in
    // loops, so only nesting costs stack.
    static constexpr int kMaxDepth = 512;
    // Longer texts are refused (TooLong at 0) and Load fails.
    static constexpr std::size_t kMaxTextLength = std::size_t{1} << 30;

    CExpression() = default;
    explicit CExpression(CNameTable* table) : table_(table) {}
    // Copies text, name table and tree; the position starts at 0.
    CExpression(const CExpression& other);
    CExpression& operator=(const CExpression& other);
    // A moved-from expression has no text and no tree.
    CExpression(CExpression&& other) noexcept;
    CExpression& operator=(CExpression&& other) noexcept;
    ~CExpression() = default;

    // Names are resolved while parsing, so set the table (not owned, may be null) before Parse.
    void SetNameTable(CNameTable* table) { table_ = table; }
    CNameTable* GetNameTable() const { return table_; }

    // Stores text and parses it, discarding the old tree; after a failure there is no tree. A NUL
    // byte ends the text. A null pointer is the empty text.
    ExprParseResult Parse(std::string_view text);
    ExprParseResult Parse(const char* text) {
        return Parse(text ? std::string_view(text) : std::string_view());
    }

    // Evaluates the tree into out and returns the status, which starts at Ok and is overwritten
    // by each event. Without a tree returns NoTree and leaves out unchanged.
    ExprStatus Evaluate(double& out);

    // Appends the text as a length-prefixed string (1 byte below 255; else 0xFF and 16 bits
    // little-endian below 0xFFFE; else 0xFF, 0xFFFF and 32 bits), then the bytes.
    void Save(std::string& out) const;
    // Reads a string written by Save at pos, advances pos past it and parses the text again.
    // A truncated or malformed stream returns false and leaves pos and the expression unchanged;
    // a text that does not parse is still loaded (true) and leaves no tree.
    bool Load(std::string_view in, std::size_t& pos);

    const std::string& Text() const { return text_; }
    // The parse cursor: where the last Parse stopped (the text's end after a success).
    int Position() const { return position_; }
    // The status of the last Evaluate.
    ExprStatus Status() const { return status_; }
    bool HasTree() const { return root_ >= 0; }

    // The tree, for tools and diagnostics: the root index (-1 when there is no tree), a node by
    // index (valid while the tree lives) and a Name node's token.
    int Root() const { return root_; }
    const ExprNode& Node(int index) const { return nodes_[static_cast<std::size_t>(index)]; }
    std::size_t NodeCount() const { return nodes_.size(); }
    std::string_view NameOf(const ExprNode& node) const;
    // The tree in prefix form, e.g. "(* -1 (+ 2 X))", "(MAX (, 1 2) 3)", "(SIN X)", "(! X)";
    // numbers with "%.15g". Empty when there is no tree.
    std::string TreeText() const;

private:
    // One function per grammar rule; each returns the index of the node it built, or -1.
    int Expr();
    int Term();
    int Factor();
    int Relation();
    int Unary();
    int Base();
    int Atom();
    int Call(ExprOp function);
    template <int (CExpression::*Operand)(), char... Operators>
    int Chain();
    int Fail(ExprParseStatus status) {
        error_ = status;
        return -1;
    }
    int AddNode(ExprOp op, int left, int right);
    bool Enter();
    void SkipBlanks();
    char Peek() const { return text_.data()[position_]; }

    // What a "/", MAX or MIN node on a left spine keeps while its left operand is evaluated.
    struct Pending {
        double divisor;        // "/": the right operand, evaluated first
        std::uint32_t events;  // MAX, MIN: events_ before the left operand
    };
    double EvaluateNode(int index);
    // A right operand: numbers and names at once, being most of them.
    double Operand(int index) {
        const ExprNode& n = nodes_[static_cast<std::size_t>(index)];
        if (n.op == ExprOp::Number) return n.value;
        if (n.op == ExprOp::Name) return NameValue(n);
        return EvaluateNode(index);
    }
    double NameValue(const ExprNode& n);
    double EvaluateOperand(int index);
    double Finish(int index, double left);
    void Raise(ExprStatus status) {
        status_ = status;
        ++events_;
    }
    void AppendTreeText(int index, std::string& out) const;

    CNameTable* table_ = nullptr;
    std::string text_;
    int position_ = 0;
    ExprStatus status_ = ExprStatus::Ok;
    ExprParseStatus error_ = ExprParseStatus::Ok;
    int nesting_ = 0;
    int root_ = -1;
    std::vector<ExprNode, LargeBlockAllocator<ExprNode>> nodes_;
    std::uint32_t events_ = 0;      // status events so far; only compared, so it may wrap
    std::vector<Pending> pending_;  // evaluation scratch, kept for its capacity
    // The value objects the names were looked up to while parsing, by slot, good for evaluations
    // while the table is the one and in the generation they came from.
    std::vector<const CValue*> resolved_;
    const CNameTable* resolvedTable_ = nullptr;
    std::uint64_t resolvedGeneration_ = 0;
};

// What CalcExpressionText met besides the value: the parse, and the evaluation's status (NoTree
// when the parse failed).
struct CalcOutcome {
    ExprParseResult parse;
    ExprStatus status = ExprStatus::NoTree;
};

// The evaluation every template formula goes through: sets expression's name table to table,
// parses text and evaluates it. Returns kCalcFailure for a parse failure past position 0 and for
// DivideByZero; otherwise the value, 0.0 when there is no tree (empty text, failure at position
// 0). outcome, when given, receives the parse result and the status.
double CalcExpressionText(CExpression& expression, CNameTable* table, std::string_view text,
                          CalcOutcome* outcome = nullptr);

}  // namespace quorin
