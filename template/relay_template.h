// The relay template object: one protection-relay template in memory (header texts, settings,
// common parameters, binary inputs, report items, the characteristic drawing and its zones), the
// template text reader and writers, and the expression evaluation over the template's values.
//
// Records live in fixed-capacity tables allocated once with the object, one table per field,
// indexed by the 0-based record number; a count per kind says how many leading entries are in use.
// Accessors never read outside a table: a record, choice or item number outside what was read
// gives the empty text or 0.
//
// Texts are bytes in the ANSI code page (GBK Chinese occurs); line breaks are CR LF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "expression/expression.h"
#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "zones/zone_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {

// The three parameter kinds; they share one field set.
enum class ParamKind { kSetting = 0, kCommonParameter = 1, kBinaryInput = 2 };

inline constexpr int kMaxSettings = 600;
inline constexpr int kMaxCommonParameters = 100;
inline constexpr int kMaxBinaryInputs = 100;
inline constexpr int kMaxReportItems = 100;
inline constexpr int kMaxChoices = 20;        // per setting or common parameter
inline constexpr int kMaxBinaryChoices = 10;  // per binary input
inline constexpr int kValueTableSize = 600;   // value objects mirroring the parameters
inline constexpr int kMaxLineItems = 200;
inline constexpr int kMaxCircleItems = 100;
inline constexpr int kMaxTextItems = 100;
inline constexpr int kMaxCoordinatePairs = 50;  // XN/YN and XP/YP entries; numbers 1..49 are used
inline constexpr int kMaxCharacterValues = 5;   // t, R, Id and Ir entries each

// Layout flags of a section: the indexed layout ("N1=...;T1=...;") or the record layout
// ("N=...,T=...,ID=...;"). Any other flag makes the writers write the section's markers only.
inline constexpr int kIndexedLayout = 0;
inline constexpr int kRecordLayout = 1;

class CRelayTemplate final : public IZoneEvaluator {
public:
    // Counts 0, layouts 0, Update 1, 600 value-table entries of 0.0, the keyword constants
    // registered in the name table.
    CRelayTemplate();
    ~CRelayTemplate();
    // The name table points into the object: no copy, no move.
    CRelayTemplate(const CRelayTemplate&) = delete;
    CRelayTemplate& operator=(const CRelayTemplate&) = delete;

    // ---- Template text ----

    // Reads a template (or a whole sequence text; every part is found by its key or markers):
    // header, settings, binary inputs, common parameters, the mirroring of parameter values into
    // the value and name tables, report items, characteristic section and zones. Replaces all
    // records; a missing part reads as empty and fields take their defaults. Never fails.
    // useKilovolts not 0 brings voltage units to "kV", 0 to "V". Beyond the plain rules:
    // - indexed layout: blanks, tabs, CR and LF in front of a key (at the section start and
    //   after each ";") are skipped, so the writers' own output reads back; keys stay verbatim
    //   and case-sensitive otherwise;
    // - record layout: a last record without ";" runs to the end of its section;
    // - a header key without a ";" after it counts as missing;
    // - a "ComboBox" Num is kept within 0..ChoiceCapacity, a joined max()/min() field within 10
    //   pieces, XN/YN and XP/YP numbers within 1..49;
    // - the keyword constants have value objects of their own, so all 600 value-table entries
    //   serve parameters; a parameter whose entry would lie past them gets no entry and no name.
    void ReadTemplate(std::string_view text, int useKilovolts);

    // Each section in its stored layout, markers included, lines ending in CR LF. The settings
    // and common parameter writers first bring every record's unit to the family chosen by
    // useKilovolts and store the changed unit back into the object.
    std::string WriteSettings(int useKilovolts);
    std::string WriteCommonParameters(int useKilovolts);
    std::string WriteBinaryInputs() const;
    // Always the empty text: the characteristic goes back to a host only inside WriteTemplate.
    std::string WriteCharacter() const { return std::string(); }
    // Header lines, the three parameter sections, the characteristic section (line, circle and
    // text items, XN/YN and XP/YP pairs; zones and t/R/Id/Ir are not written) and the report.
    std::string WriteTemplate(int useKilovolts);

    // ---- Expressions ----

    // Evaluates text over the keyword constants and the parameter identifiers mirrored by the
    // last read. -100000.0 (kCalcFailure) for a syntax error past the first character or a
    // division by zero; 0.0 for the empty text. Not reentrant (one shared CExpression).
    double CalcExpression(std::string_view text) override;

    // defaultValue for a null pointer or an empty text, else the leading integer as atoi reads it
    // (0 when there is none, " " included).
    static int32_t TextToInt(const char* text, int32_t defaultValue);
    static int32_t TextToInt(std::string_view text, int32_t defaultValue);
    // defaultValue for a null pointer or an empty text, else atof of the text narrowed to float.
    static float TextToFloat(const char* text, float defaultValue);
    static float TextToFloat(std::string_view text, float defaultValue);

    // The name table behind CalcExpression (keyword constants and parameter identifiers).
    CNameTable& NameTable() { return names_; }
    // The value-table entry (0..599) as expressions see it; 0.0 outside the table.
    double ValueTableEntry(int entry) const;

    // ---- Header ----

    const std::string& ProtectiveRelayName() const;
    const std::string& Property() const;
    const std::string& WordReportName() const;
    int32_t Update() const;  // 1 unless the template sets "Update="

    // ---- Parameter records (record is 0-based) ----

    static int Capacity(ParamKind kind);        // 600, 100, 100
    static int ChoiceCapacity(ParamKind kind);  // 20, 20, 10
    int Count(ParamKind kind) const;
    // kIndexedLayout or kRecordLayout as read (kIndexedLayout after construction).
    int Layout(ParamKind kind) const;
    // Chooses the layout the writers use; a flag other than 0 or 1 writes the markers only.
    void SetLayout(ParamKind kind, int layout);

    const std::string& Name(ParamKind kind, int record) const;  // N
    const std::string& Id(ParamKind kind, int record) const;    // ID
    const std::string& Type(ParamKind kind, int record) const;  // T: "Edit", "ComboBox", ...
    const std::string& Unit(ParamKind kind, int record) const;  // U ("Edit" records only)
    int32_t Decimals(ParamKind kind, int record) const;         // L; 0 for "ComboBox"
    // V: the number of an "Edit" record, the 0-based selected choice of a "ComboBox", above 0
    // for a ticked "CheckBox". 0 for records of any other kind.
    float Value(ParamKind kind, int record) const;
    // Stores V (the host's value updates). Expressions keep seeing the mirrored value until the
    // next ReadTemplate. Ignored outside the records read.
    void SetValue(ParamKind kind, int record, float value);
    // Choices of the record: Num of a "ComboBox" (bounded to 0..ChoiceCapacity), 2 for a
    // "CheckBox", 0 otherwise.
    int32_t ChoiceCount(ParamKind kind, int record) const;
    // Choice text, 0-based (choice 0 is S1); "" outside 0..ChoiceCount-1.
    const std::string& Choice(ParamKind kind, int record, int choice) const;
    // PVA, PVB, PVC: further texts of "Edit" settings, carried unchanged ("" for other records).
    const std::string& Pva(ParamKind kind, int record) const;
    const std::string& Pvb(ParamKind kind, int record) const;
    const std::string& Pvc(ParamKind kind, int record) const;
    // RE, RT, RN of settings and common parameters, "0" when the template gives none; "" for
    // binary inputs.
    const std::string& Re(ParamKind kind, int record) const;
    const std::string& Rt(ParamKind kind, int record) const;
    const std::string& Rn(ParamKind kind, int record) const;
    // V as the template text writes it: an "Edit" value with L > 0 in fixed point with L decimals
    // (at most 60), any other value truncated toward zero as a decimal integer.
    std::string ValueText(ParamKind kind, int record) const;

    // ---- Report items (item is 0-based) ----

    int ReportCount() const;
    int ReportLayout() const;
    void SetReportLayout(int layout);
    const std::string& ReportName(int item) const;
    const std::string& ReportId(int item) const;

    // ---- Characteristic drawing ----

    // The text between "<CharacterBegin>" and "<CharacterEnd>" as read.
    const std::string& CharacterText() const;
    // Fields of the "LINE[" (5), "CIRCLE[" (4) and "TEXT[" (4) items; item and field 0-based.
    int LineCount() const;
    const std::string& LineField(int item, int field) const;
    int CircleCount() const;
    const std::string& CircleField(int item, int field) const;
    int TextItemCount() const;
    const std::string& TextItemField(int item, int field) const;
    // XN/YN and XP/YP pairs, numbered from 1; the count is the highest number read plus 1 (1
    // when there is none), so pairs 1..count-1 are in use.
    int XnPairCount() const;
    const std::string& Xn(int number) const;
    const std::string& Yn(int number) const;
    int XpPairCount() const;
    const std::string& Xp(int number) const;
    const std::string& Yp(int number) const;
    // "t=" and "Id=" values, "R=[a,b]" and "Ir=[a,b]" pairs (field 0 or 1); up to 5 each.
    int TimeCount() const;
    const std::string& Time(int item) const;
    int IdValueCount() const;
    const std::string& IdValue(int item) const;
    int RPairCount() const;
    const std::string& RPair(int item, int part) const;
    int IrPairCount() const;
    const std::string& IrPair(int item, int part) const;

    // The zones read from the characteristic section, with their geometry and bounding box.
    const CZoneTable& Zones() const;

    struct Tables;  // the fixed-capacity tables; defined in template/template_tables.h

private:
    void ReadHeader(std::string_view text);
    void ReadParameters(ParamKind kind, std::string_view text, int useKilovolts);
    void MirrorValues();
    void ReadReport(std::string_view text);
    void ReadCharacter(std::string_view text);

    std::unique_ptr<Tables> t_;
    CKeywordConstants keywords_;
    CNameTable names_;
    CExpression expression_;
};

}  // namespace quorin
