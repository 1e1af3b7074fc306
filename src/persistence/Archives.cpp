#include "Archives.h"

#include "RecordSerialization.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/xml_archive_exception.hpp>
#include <boost/serialization/export.hpp>

#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <ostream>

// The library's archive templates, instantiated for our four classes.
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_text_iarchive.ipp>
#include <boost/archive/impl/basic_text_oarchive.ipp>
#include <boost/archive/impl/basic_xml_iarchive.ipp>
#include <boost/archive/impl/basic_xml_oarchive.ipp>
#include <boost/archive/impl/text_iarchive_impl.ipp>
#include <boost/archive/impl/text_oarchive_impl.ipp>
#include <boost/archive/impl/xml_iarchive_impl.ipp>
#include <boost/archive/impl/xml_oarchive_impl.ipp>

namespace boost::archive {
template class detail::archive_serializer_map<persistence::TextOArchive>;
template class basic_text_oarchive<persistence::TextOArchive>;
template class text_oarchive_impl<persistence::TextOArchive>;
template class detail::archive_serializer_map<persistence::XmlOArchive>;
template class basic_xml_oarchive<persistence::XmlOArchive>;
template class xml_oarchive_impl<persistence::XmlOArchive>;
template class detail::archive_serializer_map<persistence::TextIArchive>;
template class basic_text_iarchive<persistence::TextIArchive>;
template class text_iarchive_impl<persistence::TextIArchive>;
template class detail::archive_serializer_map<persistence::XmlIArchive>;
template class basic_xml_iarchive<persistence::XmlIArchive>;
template class xml_iarchive_impl<persistence::XmlIArchive>;
} // namespace boost::archive

namespace persistence {
namespace {

using boost::archive::archive_exception;
using boost::archive::xml_archive_exception;

// Issuers and customers may be serialized through pointers in text
// archives, which makes them tracked there: each one carries an object id.
// The XML archives do not register them, so there they carry none.
const bool trackedInTextArchives = [] {
    using boost::archive::detail::ptr_serialization_support;
    ptr_serialization_support<TextOArchive, owner>::instantiate();
    ptr_serialization_support<TextOArchive, customer>::instantiate();
    ptr_serialization_support<TextIArchive, owner>::instantiate();
    ptr_serialization_support<TextIArchive, customer>::instantiate();
    return true;
}();

const char kSignature[] = "serialization::archive";

std::streamoff StreamEnd(std::istream& is) {
    const std::streampos start = is.tellg();
    is.seekg(0, std::ios::end);
    const std::streampos end = is.tellg();
    is.seekg(start);
    if (start < 0 || end < 0 || !is) {
        throw archive_exception(archive_exception::input_stream_error, "unseekable stream");
    }
    return static_cast<std::streamoff>(end);
}

std::streamoff Remaining(std::istream& is, std::streamoff end) {
    if (is.fail()) {
        return 0;
    }
    const std::streampos pos = is.tellg();
    return pos < 0 ? 0 : end - static_cast<std::streamoff>(pos);
}

void RefuseNewerArchive(boost::serialization::library_version_type version) {
    if (version > boost::archive::BOOST_ARCHIVE_VERSION()) {
        throw archive_exception(archive_exception::unsupported_version);
    }
}

// The value of attribute `name` in `tag`, or nothing when it is absent or
// not quoted.
bool AttributeValue(const std::string& tag, const std::string& name, std::string& value) {
    size_t pos = 0;
    while ((pos = tag.find(name, pos)) != std::string::npos) {
        const bool startsWord = pos > 0 && std::isspace(static_cast<unsigned char>(tag[pos - 1]));
        size_t i = pos + name.size();
        pos = i;
        if (!startsWord) {
            continue;
        }
        while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) {
            ++i;
        }
        if (i >= tag.size() || tag[i] != '=') {
            continue;
        }
        ++i;
        while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) {
            ++i;
        }
        if (i >= tag.size() || tag[i] != '"') {
            continue;
        }
        const size_t close = tag.find('"', i + 1);
        if (close == std::string::npos) {
            return false;
        }
        value = tag.substr(i + 1, close - i - 1);
        return true;
    }
    return false;
}

// The library compares the root's signature attribute over the length
// found in the file, so a longer or empty one must be refused before it
// looks at it.
void CheckXmlSignature(std::istream& is) {
    const std::streampos start = is.tellg();
    constexpr size_t kLookahead = 4096;
    std::string head(kLookahead, '\0');
    is.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(is.gcount()));
    is.clear();
    is.seekg(start);
    const size_t root = head.find("<boost_serialization");
    const size_t close = root == std::string::npos ? std::string::npos : head.find('>', root);
    std::string signature;
    if (close == std::string::npos ||
        !AttributeValue(head.substr(root, close - root), "signature", signature) ||
        signature != kSignature) {
        throw archive_exception(archive_exception::invalid_signature);
    }
}

} // namespace

std::string DoubleText(double value) {
    if (!std::isfinite(value)) {
        throw archive_exception(archive_exception::output_stream_error, "not a finite number");
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

// ---- text output ----

TextOArchive::TextOArchive(std::ostream& os) : Base(os, boost::archive::no_header) {
    *this << std::string(kSignature);
    *this << boost::serialization::library_version_type(kWrittenArchiveVersion);
}

void TextOArchive::save(const double& value) {
    const std::string text = DoubleText(value);
    this->newtoken();
    if (os.fail()) {
        throw archive_exception(archive_exception::output_stream_error);
    }
    os << text;
}

// ---- XML output ----

XmlOArchive::XmlOArchive(std::ostream& os) : Base(os, boost::archive::no_header) {
    this->put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n");
    this->put("<!DOCTYPE boost_serialization>\n");
    this->put("<boost_serialization");
    this->write_attribute("signature", kSignature);
    this->write_attribute("version", static_cast<int>(kWrittenArchiveVersion));
    this->put(">\n");
}

void XmlOArchive::Finish() {
    this->put("</boost_serialization>");
    if (os.fail()) {
        throw archive_exception(archive_exception::output_stream_error);
    }
}

void XmlOArchive::save(const double& value) {
    const std::string text = DoubleText(value);
    if (os.fail()) {
        throw archive_exception(archive_exception::output_stream_error);
    }
    os << text;
}

// ---- text input ----

TextIArchive::TextIArchive(std::istream& is) : Base(is, boost::archive::no_header) {
    end_ = StreamEnd(is);
    init();
    RefuseNewerArchive(get_library_version());
}

std::streamoff TextIArchive::BytesLeft() {
    return Remaining(is, end_);
}

void TextIArchive::load(std::string& text) {
    std::size_t size = 0;
    Base::load(size);
    // The length is followed by one separating character, then the bytes.
    const std::streamoff left = BytesLeft();
    if (left < 1 || size > static_cast<std::size_t>(left - 1)) {
        throw archive_exception(archive_exception::input_stream_error, "text length");
    }
    is.get();
    text.resize(size);
    if (size > 0) {
        is.read(text.data(), static_cast<std::streamsize>(size));
    }
    if (is.fail()) {
        throw archive_exception(archive_exception::input_stream_error);
    }
}

void TextIArchive::load(boost::serialization::collection_size_type& count) {
    Base::load(count);
    if (static_cast<std::size_t>(count) > static_cast<std::size_t>(BytesLeft()) ||
        static_cast<std::size_t>(count) > maxCollection_) {
        throw archive_exception(archive_exception::input_stream_error, "collection count");
    }
}

// ---- XML input ----

XmlIArchive::XmlIArchive(std::istream& is) : Base(is, boost::archive::no_header) {
    end_ = StreamEnd(is);
    CheckXmlSignature(is);
    init();
    RefuseNewerArchive(get_library_version());
}

std::streamoff XmlIArchive::BytesLeft() {
    return Remaining(is, end_);
}

void XmlIArchive::Finish() {
    if (!gimpl->windup(is) || gimpl->rv.object_name != "boost_serialization") {
        throw xml_archive_exception(xml_archive_exception::xml_archive_parsing_error);
    }
}

void XmlIArchive::load_start(const char* name) {
    if (name == nullptr) {
        return;
    }
    if (!gimpl->parse_start_tag(is)) {
        throw archive_exception(archive_exception::input_stream_error);
    }
    ++depth_;
}

void XmlIArchive::load_end(const char* name) {
    if (name == nullptr) {
        return;
    }
    if (!gimpl->parse_end_tag(is)) {
        throw archive_exception(archive_exception::input_stream_error);
    }
    if (depth_ > 0) {
        --depth_;
    }
    // Top-level names are not compared: files are read whatever their
    // top-level elements are called.
    if (depth_ == 0) {
        return;
    }
    if (gimpl->rv.object_name != name) {
        throw xml_archive_exception(xml_archive_exception::xml_archive_tag_mismatch, name);
    }
}

void XmlIArchive::load(boost::serialization::collection_size_type& count) {
    Base::load(count);
    if (static_cast<std::size_t>(count) > static_cast<std::size_t>(BytesLeft()) ||
        static_cast<std::size_t>(count) > maxCollection_) {
        throw archive_exception(archive_exception::input_stream_error, "collection count");
    }
}

} // namespace persistence
