// The top-level objects of a note file and of the master file, in their
// order and under their element names. The same operations serve every
// archive class; the names passed when reading differ from those written,
// which the XML reader allows because it does not compare top-level names.
#pragma once

#include "Basedata.h"
#include "ContainerSerialization.h"
#include "RecordSerialization.h"

#include <boost/serialization/nvp.hpp>

namespace persistence {

// The note: header list (`basedata1`, or `basedatav2list` for the 0.4
// layout), lines, issuer list, customer list.
template <class OArchive, class HeaderList>
void WriteNoteObjects(OArchive& ar, const HeaderList& headers, const NoteContainers& note) {
    using boost::serialization::make_nvp;
    ar << make_nvp("basedata1", headers);
    ar << make_nvp("hinmokulist", note.hinmokulist);
    ar << make_nvp("owner1", note.owner1);
    ar << make_nvp("customer1", note.customer1);
}

// Into the read buffers `basedata_load`, `hinmokulist_load`, `owner_load`,
// `customer_load`; what was read before an error stays there.
template <class IArchive> void ReadNoteObjects(IArchive& ar, NoteContainers& note) {
    using boost::serialization::make_nvp;
    ar >> make_nvp("basedata_load", note.basedata_load);
    ar >> make_nvp("hinmokulist_load", note.hinmokulist_load);
    ar >> make_nvp("owner_load", note.owner_load);
    ar >> make_nvp("customer_load", note.customer_load);
}

// The registers, the positions of the chosen entries and the word lists.
template <class OArchive> void WriteMasterObjects(OArchive& ar, const NoteContainers& note) {
    using boost::serialization::make_nvp;
    ar << make_nvp("owner_ma", note.owner_ma_lo);
    ar << make_nvp("int_owner_no", note.int_owner_no);
    ar << make_nvp("customer_ma", note.customer_ma_lo);
    ar << make_nvp("int_customer_no", note.int_customer_no);
    ar << make_nvp("str_menuitem1", note.menuitem1);
    ar << make_nvp("str_menuitem2", note.menuitem2);
    ar << make_nvp("str_menuitem3", note.menuitem3);
}

// The seven master objects into the given lists and into the two position
// members of `note`.
template <class IArchive>
void ReadMasterObjects(IArchive& ar, NoteContainers& note, ownerlist& issuers,
                       customerlist& customers, wordlist& words1, wordlist& words2,
                       wordlist& words3) {
    using boost::serialization::make_nvp;
    ar >> make_nvp("owner_ma_lo", issuers);
    ar >> make_nvp("int_owner_no", note.int_owner_no);
    ar >> make_nvp("customer_ma_lo", customers);
    ar >> make_nvp("int_customer_no", note.int_customer_no);
    ar >> make_nvp("menuitem1_lo", words1);
    ar >> make_nvp("menuitem2_lo", words2);
    ar >> make_nvp("menuitem3_lo", words3);
}

} // namespace persistence
