// The records of one note and of the registers, and the containers in which
// the main window keeps them for the whole run. Texts are code page 932 bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Contact block shared by issuers and customers.
class person {
public:
    person() = default;
    person(std::string name, std::string roma, std::string zipcode, std::string address,
           std::string address2, std::string mail)
        : name(std::move(name)), roma(std::move(roma)), zipcode(std::move(zipcode)),
          address(std::move(address)), address2(std::move(address2)), mail(std::move(mail)) {}

    std::string name;
    std::string roma;
    std::string zipcode;
    std::string address;
    std::string address2;
    std::string mail;

    bool operator==(const person&) const = default;
};

// The issuer: the business that writes the note.
class owner : public person {
public:
    owner() = default;
    owner(std::string name, std::string roma, std::string zipcode, std::string address,
          std::string address2, std::string mail, std::int32_t ownerno, std::string tele,
          std::string bank, std::string bank2)
        : person(std::move(name), std::move(roma), std::move(zipcode), std::move(address),
                 std::move(address2), std::move(mail)),
          ownerno(ownerno), tele(std::move(tele)), bank(std::move(bank)), bank2(std::move(bank2)) {}

    std::int32_t ownerno = 0;
    std::string tele;
    std::string bank;
    std::string bank2;

    bool operator==(const owner&) const = default;
};

// The customer the note is addressed to.
class customer : public person {
public:
    customer() = default;
    customer(std::string name, std::string roma, std::string zipcode, std::string address,
             std::string address2, std::string mail, std::int32_t customerno_)
        : person(std::move(name), std::move(roma), std::move(zipcode), std::move(address),
                 std::move(address2), std::move(mail)),
          customerno_(customerno_) {}

    std::int32_t customerno_ = 0;

    bool operator==(const customer&) const = default;
};

// One line of the note (one row of the line grid).
class hinmoku {
public:
    hinmoku() = default;
    hinmoku(std::int32_t linno, std::string kojiname, std::string siyou, double suryou,
            std::string tani, std::int32_t tanka, std::int32_t price, std::string tekiyou)
        : linno(linno), kojiname(std::move(kojiname)), siyou(std::move(siyou)), suryou(suryou),
          tani(std::move(tani)), tanka(tanka), price(price), tekiyou(std::move(tekiyou)) {}

    std::int32_t linno = 0;
    std::string kojiname;
    std::string siyou;
    double suryou = 0.0;
    std::string tani;
    std::int32_t tanka = 0;
    std::int32_t price = 0;
    std::string tekiyou;

    bool operator==(const hinmoku&) const = default;
};

// The note header.
class basedata {
public:
    basedata() = default;
    basedata(std::string seikyudate, std::string soeji, std::string printno, std::int32_t zeiflag,
             std::int32_t syubetu, std::int32_t childcount, std::int32_t zeiritu)
        : seikyudate(std::move(seikyudate)), soeji(std::move(soeji)), printno(std::move(printno)),
          zeiflag(zeiflag), syubetu(syubetu), childcount(childcount), zeiritu(zeiritu) {}

    std::string seikyudate;
    std::string soeji;
    std::string printno;
    std::int32_t zeiflag = 0;
    std::int32_t syubetu = 0;
    std::int32_t childcount = 0;
    std::int32_t zeiritu = 0;

    bool operator==(const basedata&) const = default;
};

// The header as the older (0.4) layout stores it: same fields, older class
// version, so only the first four reach the file.
class basedatav2 : public basedata {
public:
    using basedata::basedata;
    basedatav2() = default;
};

using basedatalist = std::vector<basedata>;
using basedatav2list_t = std::vector<basedatav2>;
using hinmokumap = std::map<std::int32_t, hinmoku>;
using ownerlist = std::vector<owner>;
using customerlist = std::vector<customer>;
using wordlist = std::vector<std::string>;

// Everything the main window keeps of the open note and of the registers.
struct NoteContainers {
    // The open note, rebuilt from the window at every save.
    basedatalist basedata1;
    hinmokumap hinmokulist;
    ownerlist owner1;
    customerlist customer1;

    // Read buffers, filled only while a note is opened.
    basedatalist basedata_load;
    hinmokumap hinmokulist_load;
    ownerlist owner_load;
    customerlist customer_load;

    // Header list used only while a note is written in the 0.4 layout.
    basedatav2list_t basedatav2list;

    // Registers and the positions of the chosen entries.
    ownerlist owner_ma_lo;
    std::int32_t int_owner_no = 0;
    // The registration number (登録番号) of each issuer in `owner_ma_lo`, by
    // position ("" for none). Not part of the master file: a side file
    // beside it holds them.
    wordlist owner_touroku;
    customerlist customer_ma_lo;
    std::int32_t int_customer_no = 0;

    // Word lists offered in the grid's and the suffix field's context menus.
    wordlist menuitem1;
    wordlist menuitem2;
    wordlist menuitem3;
    wordlist soejilist;

    // Set at start-up when a master file exists that could be neither read
    // nor copied aside: why, with its path (code page 932). The close then
    // writes no master file, so the registers it holds are not replaced by
    // this run's, and shows this text. Empty otherwise.
    std::string masterfileKept;

    void ClearReadBuffers() {
        basedata_load.clear();
        hinmokulist_load.clear();
        owner_load.clear();
        customer_load.clear();
    }
};
