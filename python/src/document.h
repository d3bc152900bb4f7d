// What the Python objects share: one loaded text (a template or a whole sequence) with the
// library object read from it, the code page its texts are decoded with, and the lock that keeps
// the library to one caller at a time.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "frontend/component_host.h"
#include "platform/files.h"
#include "report/report_item.h"
#include "report/report_setting.h"
#include "template/relay_template.h"

namespace quorin::python {

namespace py = pybind11;

// Raised as quorin.Error with the library's English message.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The library objects are not reentrant (a template evaluates through one shared expression) and
// drawing goes through one QGuiApplication: every call that touches them holds this lock. Calls
// that run long release the GIL first (LongCall), so other Python threads go on meanwhile.
// The lock is recursive: a garbage collection while it is held may free another document, whose
// destructor takes it again on the same thread. No thread waits for it while holding the GIL,
// since the holder may need the GIL back to finish (Python code runs inside short calls).
std::recursive_mutex& LibraryMutex();

// Takes the library lock: at once when it is free, else with the GIL released while waiting.
class ShortCall {
public:
    ShortCall();
    ~ShortCall() { LibraryMutex().unlock(); }
    ShortCall(const ShortCall&) = delete;
    ShortCall& operator=(const ShortCall&) = delete;
};

// The GIL released, then the library locked; unlocked before the GIL is taken back.
struct LongCall {
    py::gil_scoped_release release;
    std::lock_guard<std::recursive_mutex> lock{LibraryMutex()};
};

// os.fsdecode(path): TypeError for what is not a path.
std::string PathText(const py::handle& path);

// Bytes of a bytes-like object, or of the file a str or os.PathLike names (read with the GIL
// released). TypeError for anything else; Error "cannot read file 'PATH'" when it cannot be read
// and "'PATH' is larger than 512 MiB" past kMaxFileBytes (/dev/zero ends there
// instead of filling memory).
std::string SourceBytes(const py::object& source);

// The canonical name of a Python codec; LookupError for an unknown one.
std::string CodecName(const std::string& codepage);

class Document {
public:
    // A template read into a CRelayTemplate of its own, or a whole sequence loaded into the
    // component (whose template is then the component's).
    enum class Kind { kTemplate, kSequence };

    Document(Kind kind, std::string bytes, std::string codec);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Kind kind() const { return kind_; }
    const std::string& Bytes() const { return bytes_; }
    const std::string& Codec() const { return codec_; }
    CRelayTemplate& Template() { return *template_; }
    ComponentHost* Host() { return host_.get(); }

    // Bytes of the document as str, and back; lossless both ways (surrogateescape).
    py::str Decode(std::string_view bytes) const;
    std::string Encode(const py::handle& text) const;
    // Encodes text without escapes; ValueError "<what> cannot be written in <codec>" when a
    // character has no place in the code page.
    std::string EncodeStrict(const py::handle& text, const std::string& what) const;

    // Replaces the text and reads it again (the library lock held by the caller).
    void Replace(std::string bytes);

private:
    void Read();

    Kind kind_;
    std::string bytes_;
    std::string codec_;
    std::unique_ptr<CRelayTemplate> ownTemplate_;
    std::unique_ptr<ComponentHost> host_;
    CRelayTemplate* template_ = nullptr;
};

using DocumentPtr = std::shared_ptr<Document>;

// Reads source (SourceBytes) in codepage into a new document.
DocumentPtr LoadDocument(Document::Kind kind, const py::object& source,
                         const std::string& codepage);
// A str in codepage (surrogateescape) into a new document.
DocumentPtr DocumentFromText(Document::Kind kind, const py::str& text, const std::string& codepage);

// The Python objects: views of a document, alive as long as any view of it. Template and Sequence
// derive from the class of DocumentRef, which has what every document has: raw, text, codepage
// and save.
struct DocumentRef {
    DocumentPtr doc;
};
struct TemplateRef : DocumentRef {};
struct SequenceRef : DocumentRef {};

// A report's items, the header tables drawn after those of the settings, and the settings.
struct ReportRef {
    std::vector<CReportItem> items;
    std::vector<CReportTable> extraHeaderTables;
    CReportSetting setting;
};

// The report settings at path, or those beside the package for None. A file named must exist:
// Error "cannot read file 'PATH'" (a typo would otherwise give the defaults silently).
CReportSetting LoadReportSettings(const py::object& path);

// Registration of each part of the module. BindDocument makes the document classes (_Document, and
// Template and Sequence with load and from_text), to which the others add members.
void BindDocument(py::module_& m);
void BindTemplate(py::module_& m);
void BindZones(py::module_& m);
void BindReport(py::module_& m);
void BindShots(py::module_& m);
void BindResults(py::module_& m);

}  // namespace quorin::python
