#include "python/src/document.h"

#include <algorithm>

#include "platform/files.h"

namespace quorin::python {

std::recursive_mutex& LibraryMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

ShortCall::ShortCall() {
    if (LibraryMutex().try_lock()) return;
    if (PyGILState_Check()) {
        py::gil_scoped_release release;
        LibraryMutex().lock();
    } else {
        LibraryMutex().lock();
    }
}

std::string PathText(const py::handle& path) {
    return py::module_::import("os").attr("fsdecode")(path).cast<std::string>();
}

std::string SourceBytes(const py::object& source) {
    if (py::isinstance<py::bytes>(source)) return source.cast<std::string>();
    if (py::isinstance<py::bytearray>(source) || py::isinstance<py::memoryview>(source))
        return py::reinterpret_steal<py::bytes>(PyBytes_FromObject(source.ptr()))
            .cast<std::string>();
    if (!py::isinstance<py::str>(source) && !py::hasattr(source, "__fspath__"))
        throw py::type_error("expected a path (str or os.PathLike) or bytes, not " +
                             std::string(py::str(py::type::of(source).attr("__name__"))));
    const std::string path = PathText(source);
    std::string bytes;
    ReadStatus status;
    {
        py::gil_scoped_release release;
        status = ReadFileLimited(path, bytes, kMaxFileBytes);
    }
    if (status == ReadStatus::kTooLarge) throw Error("'" + path + "' is larger than 512 MiB");
    if (status != ReadStatus::kRead) throw Error("cannot read file '" + path + "'");
    return bytes;
}

std::string CodecName(const std::string& codepage) {
    return py::module_::import("codecs").attr("lookup")(codepage).attr("name").cast<std::string>();
}

DocumentPtr LoadDocument(Document::Kind kind, const py::object& source,
                         const std::string& codepage) {
    std::string codec = CodecName(codepage);
    std::string bytes = SourceBytes(source);
    std::unique_ptr<Document> doc;
    {
        LongCall call;
        doc = std::make_unique<Document>(kind, std::move(bytes), std::move(codec));
    }
    return DocumentPtr(std::move(doc));
}

DocumentPtr DocumentFromText(Document::Kind kind, const py::str& text,
                             const std::string& codepage) {
    const std::string codec = CodecName(codepage);
    return LoadDocument(kind, text.attr("encode")(codec, "surrogateescape"), codec);
}

namespace {

constexpr const char* kLoadDoc =
    "source: a path (str or os.PathLike) or the bytes of the text. codepage: the Python codec "
    "of its texts (\"GBK\" as hosts store them); text goes in and out as str, decoded with "
    "surrogateescape so that bytes no code page maps survive. Raises quorin.Error when the file "
    "cannot be read, LookupError for an unknown codepage.";

// A template's or a sequence's class, with its own load and from_text.
template <typename Ref>
void DefineDocument(py::module_& m, const char* name, const char* doc, Document::Kind kind,
                    const std::string& reads) {
    std::string noun = name;
    noun[0] = static_cast<char>(noun[0] - 'A' + 'a');
    py::class_<Ref, DocumentRef>(m, name, doc)
        .def_static(
            "load",
            [kind](const py::object& source, const std::string& codepage) {
                return Ref{{LoadDocument(kind, source, codepage)}};
            },
            py::arg("source"), py::arg("codepage") = "GBK", (reads + kLoadDoc).c_str())
        .def_static(
            "from_text",
            [kind](const py::str& text, const std::string& codepage) {
                return Ref{{DocumentFromText(kind, text, codepage)}};
            },
            py::arg("text"), py::arg("codepage") = "GBK",
            ("Reads a " + noun + " from a str, encoded with codepage (surrogateescape).").c_str());
}

}  // namespace

void BindDocument(py::module_& m) {
    py::class_<DocumentRef>(m, "_Document", "What a template and a sequence share.")
        .def_property_readonly(
            "raw",
            [](const DocumentRef& r) {
                ShortCall call;
                return py::bytes(r.doc->Bytes());
            },
            "The bytes read, byte for byte, until a value or result is set; then the text with "
            "what was set written in.")
        .def_property_readonly(
            "text",
            [](const DocumentRef& r) {
                std::string bytes;
                {
                    ShortCall call;
                    bytes = r.doc->Bytes();
                }
                return r.doc->Decode(bytes);
            },
            "raw as str.")
        .def_property_readonly(
            "codepage", [](const DocumentRef& r) { return r.doc->Codec(); },
            "The codec texts are decoded with.")
        .def(
            "save",
            [](const DocumentRef& r, const py::object& path) {
                const std::string name = PathText(path);
                bool ok = false;
                {
                    LongCall call;
                    ok = WriteFileAtomic(name, r.doc->Bytes());
                }
                if (!ok) throw Error("cannot write " + name);
            },
            py::arg("path"),
            "Writes raw to path atomically (an existing file stays intact on failure). Raises "
            "quorin.Error when it cannot be written.");

    DefineDocument<TemplateRef>(m, "Template",
                                "A relay template: header, settings, common parameters, binary "
                                "inputs, report items and characteristic zones.",
                                Document::Kind::kTemplate,
                                "Reads a template (or a whole sequence, whose template is read). ");
    DefineDocument<SequenceRef>(m, "Sequence",
                                "A test sequence (template, report section and test item blocks) "
                                "loaded into the Quorin component, as a host loads it.",
                                Document::Kind::kSequence, "Reads a sequence. ");
}

Document::Document(Kind kind, std::string bytes, std::string codec)
    : kind_(kind), bytes_(std::move(bytes)), codec_(std::move(codec)) {
    if (kind_ == Kind::kTemplate) {
        ownTemplate_ = std::make_unique<CRelayTemplate>();
        template_ = ownTemplate_.get();
    } else {
        host_ = std::make_unique<ComponentHost>();
        std::string error;
        if (!host_->Create(&error)) throw Error(error);
        template_ = host_->Template();
        if (!template_) throw Error("the Quorin component gave no template");
    }
    Read();
}

Document::~Document() {
    ShortCall call;
    host_.reset();
    ownTemplate_.reset();
}

void Document::Read() {
    if (host_)
        host_->Load(bytes_);
    else
        template_->ReadTemplate(bytes_, 0);
}

void Document::Replace(std::string bytes) {
    bytes_ = std::move(bytes);
    Read();
}

py::str Document::Decode(std::string_view bytes) const {
    // Most texts are ASCII, which every code page of the system shares.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return py::str(bytes.data(), bytes.size());
    return py::bytes(bytes.data(), bytes.size())
        .attr("decode")(codec_, "surrogateescape")
        .cast<py::str>();
}

std::string Document::Encode(const py::handle& text) const {
    return text.attr("encode")(codec_, "surrogateescape").cast<std::string>();
}

std::string Document::EncodeStrict(const py::handle& text, const std::string& what) const {
    try {
        return text.attr("encode")(codec_, "strict").cast<std::string>();
    } catch (const py::error_already_set& e) {
        if (!e.matches(PyExc_UnicodeError)) throw;
        throw py::value_error(what + " cannot be written in " + codec_);
    }
}

}  // namespace quorin::python
