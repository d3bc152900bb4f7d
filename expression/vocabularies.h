// The keyword vocabularies of test parameters: upper-case words with integer codes. Template
// expressions may write a word where its code is meant (the keyword constants); the "...Text"
// conversions turn a code back into its word.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "expression/value.h"

namespace quorin {

class CNameTable;

// One keyword constant: a word and the code registered for it.
struct Keyword {
    const char* word;
    int code;
};

// Every keyword constant in registration order: vocabulary by vocabulary, word by word. A word
// listed twice keeps the code of its last entry once registered ("IA" ends as 9, "D" as 1).
std::span<const Keyword> Keywords();

// The value objects of the keyword constants, one per entry of Keywords(), each holding its code.
// Whoever keeps a name table filled by Register keeps this object alive as long as the table.
class CKeywordConstants {
public:
    CKeywordConstants();
    CKeywordConstants(const CKeywordConstants&) = delete;
    CKeywordConstants& operator=(const CKeywordConstants&) = delete;

    // Maps every word to its own value object in registration order, so a repeated word ends with
    // its last code and replaces an earlier mapping of the same text in table.
    void Register(CNameTable& table);
    std::size_t Count() const { return count_; }
    // The value object of entry index of Keywords().
    CValue& At(std::size_t index) { return values_[index]; }

private:
    std::size_t count_ = 0;
    std::unique_ptr<CValue[]> values_;
};

// Code to word, one conversion per vocabulary. A code outside the vocabulary yields its default
// (the word of code 0). Where the two directions differ: FaultTypeText knows no "SP"; TriggerText
// has 4 "INPUTBINARY&TIME"; YesNoText knows only "NO" and "YES"; PreModeText 1 is "PRE1";
// SearchMethodText runs "BINARY", "VARIABLESTEP", "FIXSTEP".
std::string FaultTypeText(int code);
std::string FaultModelText(int code);
std::string FaultAngleText(int code);
std::string FaultPersistenceText(int code);
std::string EarthFactorText(int code);
std::string TriggerText(int code);
std::string PhaseRefText(int code);
std::string VxOutputText(int code);
std::string YesNoText(int code);
std::string InputGroupText(int code);
std::string VtSideText(int code);
std::string SyncCheckText(int code);
std::string InputLogicText(int code);
std::string PreModeText(int code);
std::string QuantityList1Text(int code);
std::string QuantityList2Text(int code);
std::string TimeQuantityText(int code);
std::string SearchMethodText(int code);
std::string ZoneSideText(int code);
std::string WindingText(int code);
std::string RestraintFormulaText(int code);
std::string ValueBaseText(int code);

}  // namespace quorin
