// The four archive classes of the note and master files. They write the
// layout of the files that exist (archive version 3 in the header, no item
// versions in collections, doubles in 17 significant digits) and read
// files of archive version 3 up to the library's own, refusing lengths and
// counts that the rest of the file cannot hold.
#pragma once

#include <boost/archive/text_iarchive.hpp>
#include <boost/archive/text_oarchive.hpp>
#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/collection_size_type.hpp>
#include <boost/serialization/item_version_type.hpp>
#include <boost/serialization/nvp.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>

namespace persistence {

// The archive version written into the header of every file.
constexpr unsigned int kWrittenArchiveVersion = 3;

// The most elements a list of a note may hold when it is read. A note holds
// one header, issuer and customer and at most twenty lines (and only those
// are ever used); a list far longer is no note of this program, and reading
// it would cost seconds and hundreds of megabytes within the size limit.
constexpr std::size_t kMaxNoteListElements = 4096;

// A double as the files hold it: 17 significant digits, general notation,
// trailing zeros dropped (2, 1.5, 0.10000000000000001). Throws for values
// that no reader could read back (infinities, NaN).
std::string DoubleText(double value);

class TextOArchive : public boost::archive::text_oarchive_impl<TextOArchive> {
    using Base = boost::archive::text_oarchive_impl<TextOArchive>;
    friend class boost::archive::detail::interface_oarchive<TextOArchive>;
    friend class boost::archive::basic_text_oarchive<TextOArchive>;
    friend class boost::archive::save_access;

public:
    // Writes the header "22 serialization::archive 3".
    explicit TextOArchive(std::ostream& os);

protected:
    using Base::save;
    void save(const double& value);
    void save(const float& value) { save(static_cast<double>(value)); }
    // Collections carry no item version in our files.
    void save(const boost::serialization::item_version_type&) {}
};

class XmlOArchive : public boost::archive::xml_oarchive_impl<XmlOArchive> {
    using Base = boost::archive::xml_oarchive_impl<XmlOArchive>;
    friend class boost::archive::detail::interface_oarchive<XmlOArchive>;
    friend class boost::archive::basic_xml_oarchive<XmlOArchive>;
    friend class boost::archive::save_access;

public:
    // Writes the prolog and the start tag of the root element.
    explicit XmlOArchive(std::ostream& os);

    // Writes the closing root tag; the final line break follows when the
    // archive is destroyed. Call it once after the last object.
    void Finish();

protected:
    using Base::save;
    void save(const double& value);
    void save(const float& value) { save(static_cast<double>(value)); }
    using Base::save_override;
    void
    save_override(const boost::serialization::nvp<const boost::serialization::item_version_type>&) {
    }
    void save_override(const boost::serialization::nvp<boost::serialization::item_version_type>&) {}
};

class TextIArchive : public boost::archive::text_iarchive_impl<TextIArchive> {
    using Base = boost::archive::text_iarchive_impl<TextIArchive>;
    friend class boost::archive::detail::interface_iarchive<TextIArchive>;
    friend class boost::archive::basic_text_iarchive<TextIArchive>;
    friend class boost::archive::load_access;

public:
    // Reads and checks the header: the signature and an archive version no
    // newer than the library's. `is` must be seekable (a file or a string).
    explicit TextIArchive(std::istream& is);

    // Refuses every collection of more than `count` elements.
    void LimitCollections(std::size_t count) { maxCollection_ = count; }

protected:
    using Base::load;
    void load(std::string& text);
    void load(boost::serialization::collection_size_type& count);

private:
    std::streamoff BytesLeft();
    std::streamoff end_ = 0;
    std::size_t maxCollection_ = static_cast<std::size_t>(-1);
};

class XmlIArchive : public boost::archive::xml_iarchive_impl<XmlIArchive> {
    using Base = boost::archive::xml_iarchive_impl<XmlIArchive>;
    friend class boost::archive::detail::interface_iarchive<XmlIArchive>;
    friend class boost::archive::basic_xml_iarchive<XmlIArchive>;
    friend class boost::archive::load_access;

public:
    // Reads and checks the prolog and the root start tag (signature and an
    // archive version no newer than the library's). `is` must be seekable.
    explicit XmlIArchive(std::istream& is);

    // Refuses every collection of more than `count` elements.
    void LimitCollections(std::size_t count) { maxCollection_ = count; }

    // Reads the closing root tag; throws when it is missing or damaged.
    // Call it once after the last object.
    void Finish();

    // Element tags. Names are compared below the top level only, as the
    // library does, but without reading past the expected name.
    void load_start(const char* name);
    void load_end(const char* name);

protected:
    using Base::load;
    void load(boost::serialization::collection_size_type& count);

private:
    std::streamoff BytesLeft();
    std::streamoff end_ = 0;
    std::size_t maxCollection_ = static_cast<std::size_t>(-1);
    unsigned int depth_ = 0;
};

} // namespace persistence
