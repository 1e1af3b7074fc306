// Collections in our archives: a count, the item version (only in archives
// whose library version is above 3; our writers leave it out), then each
// element under the name "item". Reading never allocates ahead of the data:
// elements are appended one by one as they are read, so a damaged count
// runs into the end of the file instead of into memory exhaustion.
//
// These overloads live in the namespace of our archive classes and are
// found through them, so the library's stock archives keep the library's
// own collection code.
#pragma once

#include "RecordSerialization.h"

#include <boost/archive/basic_archive.hpp>
#include <boost/serialization/collection_size_type.hpp>
#include <boost/serialization/item_version_type.hpp>

#include <cstddef>
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

namespace persistence {

template <class Archive>
boost::serialization::item_version_type ReadCountAndItemVersion(Archive& ar, std::size_t& count) {
    boost::serialization::collection_size_type n;
    ar >> boost::serialization::make_nvp("count", n);
    count = n;
    boost::serialization::item_version_type itemVersion(0);
    if (boost::archive::library_version_type(3) < ar.get_library_version()) {
        ar >> boost::serialization::make_nvp("item_version", itemVersion);
    }
    return itemVersion;
}

template <class Archive, class Element>
void WriteCountAndItemVersion(Archive& ar, std::size_t size) {
    const boost::serialization::collection_size_type count(size);
    ar << boost::serialization::make_nvp("count", count);
    const boost::serialization::item_version_type itemVersion(
        boost::serialization::version<Element>::value);
    ar << boost::serialization::make_nvp("item_version", itemVersion);
}

template <class Archive, class T, class Alloc>
void serialize(Archive& ar, std::vector<T, Alloc>& items, const unsigned int v) {
    RefuseNewerVersion<Archive>(v, 0, "vector");
    if constexpr (Archive::is_saving::value) {
        WriteCountAndItemVersion<Archive, T>(ar, items.size());
        for (const T& item : items) {
            ar << boost::serialization::make_nvp("item", item);
        }
    } else {
        items.clear();
        std::size_t count = 0;
        ReadCountAndItemVersion(ar, count);
        for (std::size_t i = 0; i < count; ++i) {
            T item{};
            ar >> boost::serialization::make_nvp("item", item);
            items.push_back(std::move(item));
            ar.reset_object_address(&items.back(), &item);
        }
    }
}

template <class Archive, class Key, class Value, class Compare, class Alloc>
void serialize(Archive& ar, std::map<Key, Value, Compare, Alloc>& items, const unsigned int v) {
    using Item = typename std::map<Key, Value, Compare, Alloc>::value_type;
    RefuseNewerVersion<Archive>(v, 0, "map");
    if constexpr (Archive::is_saving::value) {
        WriteCountAndItemVersion<Archive, Item>(ar, items.size());
        for (const Item& item : items) {
            ar << boost::serialization::make_nvp("item", item);
        }
    } else {
        items.clear();
        std::size_t count = 0;
        ReadCountAndItemVersion(ar, count);
        for (std::size_t i = 0; i < count; ++i) {
            // Classes are matched by position in the file, not by C++ type,
            // so a pair with a mutable key reads what the map wrote. A
            // repeated key keeps its first element.
            std::pair<Key, Value> item{};
            ar >> boost::serialization::make_nvp("item", item);
            auto placed = items.insert(std::move(item));
            ar.reset_object_address(&placed.first->second, &item.second);
        }
    }
}

template <class Archive, class First, class Second>
void serialize(Archive& ar, std::pair<First, Second>& item, const unsigned int v) {
    RefuseNewerVersion<Archive>(v, 0, "pair");
    using Key = std::remove_const_t<First>;
    ar& boost::serialization::make_nvp("first", const_cast<Key&>(item.first));
    ar& boost::serialization::make_nvp("second", item.second);
}

} // namespace persistence
