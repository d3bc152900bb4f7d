// The class registry: which library serves a CLSID and which CLSID a ProgID names. One text file,
// $QUORIN_REGISTRY, else $XDG_CONFIG_HOME/quorin/registry.ini, else ~/.config/quorin/registry.ini:
//
//   [CLSID\{20CEF8D1-DE93-473D-A80A-D3D160BCE537}]
//   ProgID=Quorin.QuorinCom
//   InprocServer32=/usr/lib/libquorin.so
//
//   [ProgID\Quorin.QuorinCom]
//   CLSID={20CEF8D1-DE93-473D-A80A-D3D160BCE537}
//
// Section names and keys compare without regard to case; lines starting with ";" or "#" are
// comments; lines that are neither a section, a key=value pair nor a comment are skipped when
// reading and kept when rewriting. The first matching section and key win.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/com_export.h"
#include "platform/com/unknown.h"

namespace quorin {

// The registry file this process uses now (the environment is read on every call).
QUORIN_COM_API std::string RegistryPath();

// Registers an in-process server: the CLSID's section gets the ProgID and the absolute path of
// the library (a relative path is taken from the current folder), the ProgID's section the
// CLSID; ProgID sections naming this CLSID under another name are removed, other classes' entries
// are kept byte for byte. The file is replaced atomically, its folders created as needed.
// E_INVALIDARG when the ProgID is not 1..39 letters, digits, "." or "_" starting with a letter,
// or the path is empty or holds a line break; E_FAIL when the file cannot be read or written.
QUORIN_COM_API HRESULT RegisterInprocServer(const CLSID& clsid, std::string_view progId,
                                            std::string_view libraryPath);

// Removes the CLSID's section and every ProgID section naming it. S_OK also when nothing was
// registered (the file is then left as it is); E_FAIL when the file cannot be read or written.
QUORIN_COM_API HRESULT UnregisterInprocServer(const CLSID& clsid);

// The library registered for the CLSID. REGDB_E_CLASSNOTREG (path untouched) when there is none.
QUORIN_COM_API HRESULT FindInprocServer(const CLSID& clsid, std::string* libraryPath);

// The CLSID registered for the ProgID. CO_E_CLASSSTRING (clsid untouched) when there is none or it
// is not a GUID text.
QUORIN_COM_API HRESULT FindProgId(std::string_view progId, CLSID* clsid);

// The absolute path of the loaded library (or program) that contains address, e.g. the address
// of a server's own DllGetClassObject; "" when it cannot be found.
QUORIN_COM_API std::string ModulePathOf(const void* address);

// The same operations on registry text, for the functions above and for checks without files.
QUORIN_COM_API bool FindInprocServerIn(std::string_view registryText, const CLSID& clsid,
                                       std::string* libraryPath);
QUORIN_COM_API bool FindProgIdIn(std::string_view registryText, std::string_view progId,
                                 CLSID* clsid);
// The text with the class registered as RegisterInprocServer describes (path used as given).
QUORIN_COM_API std::string WithInprocServer(std::string_view registryText, const CLSID& clsid,
                                            std::string_view progId, std::string_view libraryPath);
// The text without the class's sections, as UnregisterInprocServer describes.
QUORIN_COM_API std::string WithoutInprocServer(std::string_view registryText, const CLSID& clsid);

}  // namespace quorin
