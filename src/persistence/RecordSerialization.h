// How each record class is written to and read from an archive: fields in
// order, their element names and the class version from which a field is
// present. Used by our own archives and by the library's stock archives.
#pragma once

#include "Basedata.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/version.hpp>

BOOST_CLASS_VERSION(basedata, 3)
BOOST_CLASS_VERSION(basedatav2, 2)
BOOST_CLASS_VERSION(hinmoku, 1)
BOOST_CLASS_VERSION(person, 0)
BOOST_CLASS_VERSION(owner, 0)
BOOST_CLASS_VERSION(customer, 0)

// Issuers and customers are known by these keys for serialization through
// pointers; registering them for the text archives makes both classes
// tracked there, so every issuer and customer in a text file carries an
// object id (see Archives.cpp).
BOOST_CLASS_EXPORT_KEY2(owner, "owner")
BOOST_CLASS_EXPORT_KEY2(customer, "customer")

namespace persistence {

// A class version read from a file that is newer than this program's own
// is refused: the fields it would add are unknown here.
template <class Archive>
void RefuseNewerVersion(unsigned int fileVersion, unsigned int ownVersion, const char* className) {
    if (Archive::is_loading::value && fileVersion > ownVersion) {
        throw boost::archive::archive_exception(
            boost::archive::archive_exception::unsupported_class_version, className);
    }
}

} // namespace persistence

namespace boost::serialization {

// The header fields; `basedata` and the older `basedatav2` share them and
// differ only in the class version written.
template <class Archive> void SerializeHeaderFields(Archive& ar, basedata& h, unsigned int v) {
    ar& make_nvp("seikyudate", h.seikyudate);
    if (v >= 1) {
        ar& make_nvp("soeji", h.soeji);
        ar& make_nvp("printno", h.printno);
    }
    if (v >= 2) {
        ar& make_nvp("zeiflag", h.zeiflag);
    }
    if (v >= 3) {
        ar& make_nvp("syubetu", h.syubetu);
        ar& make_nvp("childcount", h.childcount);
        ar& make_nvp("zeiritu", h.zeiritu);
    }
}

template <class Archive> void serialize(Archive& ar, basedata& h, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<basedata>::value, "basedata");
    SerializeHeaderFields(ar, h, v);
}

// Written as a class of its own (no base-object record), version 2.
template <class Archive> void serialize(Archive& ar, basedatav2& h, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<basedatav2>::value, "basedatav2");
    SerializeHeaderFields(ar, static_cast<basedata&>(h), v);
}

template <class Archive> void serialize(Archive& ar, hinmoku& line, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<hinmoku>::value, "hinmoku");
    ar& make_nvp("linno", line.linno);
    ar& make_nvp("kojiname", line.kojiname);
    ar& make_nvp("siyou", line.siyou);
    ar& make_nvp("suryou", line.suryou);
    ar& make_nvp("tani", line.tani);
    ar& make_nvp("tanka", line.tanka);
    ar& make_nvp("price", line.price);
    if (v >= 1) {
        ar& make_nvp("tekiyou", line.tekiyou);
    }
}

template <class Archive> void serialize(Archive& ar, person& p, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<person>::value, "person");
    ar& make_nvp("name", p.name);
    ar& make_nvp("roma", p.roma);
    ar& make_nvp("zipcode", p.zipcode);
    ar& make_nvp("address", p.address);
    ar& make_nvp("address2", p.address2);
    ar& make_nvp("mail", p.mail);
}

template <class Archive> void serialize(Archive& ar, owner& o, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<owner>::value, "owner");
    ar& make_nvp("person", base_object<person>(o));
    ar& make_nvp("ownerno", o.ownerno);
    ar& make_nvp("tele", o.tele);
    ar& make_nvp("bank", o.bank);
    ar& make_nvp("bank2", o.bank2);
}

template <class Archive> void serialize(Archive& ar, customer& c, const unsigned int v) {
    persistence::RefuseNewerVersion<Archive>(v, version<customer>::value, "customer");
    ar& make_nvp("person", base_object<person>(c));
    ar& make_nvp("customerno_", c.customerno_);
}

} // namespace boost::serialization
