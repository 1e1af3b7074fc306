# The fuzz targets: name, entry-point source, libraries. Each has a seed
# corpus in fuzz/corpus/<name>.
set(NOTORIO_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(NOTORIO_FUZZ_TARGETS biff_plain biff_compound archive_text archive_xml clipboard)
set(NOTORIO_FUZZ_biff_plain_SOURCE BiffPlainFuzz.cpp)
set(NOTORIO_FUZZ_biff_plain_LIBS notorio_biffreader)
set(NOTORIO_FUZZ_biff_compound_SOURCE BiffCompoundFuzz.cpp)
set(NOTORIO_FUZZ_biff_compound_LIBS notorio_biffreader)
set(NOTORIO_FUZZ_archive_text_SOURCE ArchiveTextFuzz.cpp)
set(NOTORIO_FUZZ_archive_text_LIBS notorio_persistence)
set(NOTORIO_FUZZ_archive_xml_SOURCE ArchiveXmlFuzz.cpp)
set(NOTORIO_FUZZ_archive_xml_LIBS notorio_persistence)
set(NOTORIO_FUZZ_clipboard_SOURCE ClipboardFuzz.cpp)
set(NOTORIO_FUZZ_clipboard_LIBS notorio_editing)
