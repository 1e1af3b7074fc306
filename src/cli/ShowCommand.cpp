// notorio-cli show NOTE: opens the note as the window does and prints the
// window's texts and the note's records as one JSON object (UTF-8).
#include "CliNote.h"
#include "Commands.h"

#include "Cp932.h"
#include "JsonText.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <utility>

namespace {

std::string Json(const std::string& cp932Text) {
    return cli::JsonUtf8(cp932::ToUtf8(cp932Text));
}

std::string Json(std::int32_t value) {
    return std::to_string(value);
}

std::string Json(std::int64_t value) {
    return std::to_string(value);
}

std::string Json(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Builds {"key":value,...} from already-encoded values.
class Object {
public:
    explicit Object(std::string separator = ",") : separator_(std::move(separator)) {}

    template <class T> Object& Add(const std::string& key, const T& value) {
        return Raw(key, Json(value));
    }
    Object& Raw(const std::string& key, const std::string& encoded) {
        text_ += (text_.empty() ? "{" : separator_) + cli::JsonUtf8(key) + ":" + encoded;
        return *this;
    }
    std::string Str() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string separator_;
    std::string text_;
};

std::string Array(const std::vector<std::string>& encoded, const std::string& separator = ",") {
    std::string out = "[";
    for (size_t i = 0; i < encoded.size(); ++i) {
        out += (i ? separator : "") + encoded[i];
    }
    return out + "]";
}

std::string HeaderJson(const basedata& h) {
    return Object()
        .Add("seikyudate", h.seikyudate)
        .Add("soeji", h.soeji)
        .Add("printno", h.printno)
        .Add("zeiflag", h.zeiflag)
        .Add("syubetu", h.syubetu)
        .Add("childcount", h.childcount)
        .Add("zeiritu", h.zeiritu)
        .Str();
}

Object PersonJson(const person& p) {
    Object o;
    o.Add("name", p.name)
        .Add("roma", p.roma)
        .Add("zipcode", p.zipcode)
        .Add("address", p.address)
        .Add("address2", p.address2)
        .Add("mail", p.mail);
    return o;
}

std::string IssuerJson(const owner& o) {
    return PersonJson(o)
        .Add("ownerno", o.ownerno)
        .Add("tele", o.tele)
        .Add("bank", o.bank)
        .Add("bank2", o.bank2)
        .Str();
}

std::string CustomerJson(const customer& c) {
    return PersonJson(c).Add("customerno_", c.customerno_).Str();
}

std::string LineJson(const hinmoku& line) {
    return Object()
        .Add("linno", line.linno)
        .Add("kojiname", line.kojiname)
        .Add("siyou", line.siyou)
        .Add("suryou", line.suryou)
        .Add("tani", line.tani)
        .Add("tanka", line.tanka)
        .Add("price", line.price)
        .Add("tekiyou", line.tekiyou)
        .Str();
}

// One object per rate of the breakdown, highest rate first.
std::string RatesJson(const RateTotals& totals) {
    std::vector<std::string> rates;
    for (const RateTotal& t : totals) {
        rates.push_back(
            Object().Add("rate", t.rate).Add("amount", t.amount).Add("tax", t.tax).Str());
    }
    return Array(rates);
}

std::string NoteJson(const MemoryWindow& window, const NoteContainers& note) {
    Object fields;
    for (int n = 1; n <= field::Count; ++n) {
        fields.Add("Edit" + std::to_string(n), window.Field(n));
    }
    std::vector<std::string> rows;
    for (int r = 0; r < window.RowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < window.ColCount(); ++c) {
            cells.push_back(Json(window.Cell(c, r)));
        }
        rows.push_back(Array(cells));
    }
    std::vector<std::string> lines;
    for (const auto& [key, line] : note.hinmokulist) {
        lines.push_back(LineJson(line));
    }
    const std::string records =
        Object(",\n  ")
            .Raw("header", note.basedata1.empty() ? "null" : HeaderJson(note.basedata1.front()))
            .Raw("issuer", note.owner1.empty() ? "null" : IssuerJson(note.owner1.front()))
            .Raw("customer", note.customer1.empty() ? "null" : CustomerJson(note.customer1.front()))
            .Raw("lines", Array(lines, ",\n    "))
            .Str();
    return Object(",\n ")
        .Raw("fields", fields.Str())
        .Raw("taxMode", std::to_string(window.TaxMode()))
        .Raw("grid", Array(rows, ",\n    "))
        .Add("status", window.Status())
        .Add("registration", window.Field(field::Registration))
        .Raw("rates", RatesJson(window.RateBreakdown()))
        .Raw("records", records)
        .Str();
}

constexpr const char* kUsage = "show NOTE [--registration T...] [--master DIR]";

int Show(std::vector<std::string> args) {
    cli::IssuerOptions issuer;
    std::string error;
    if (!cli::TakeIssuerOptions(args, issuer, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        std::cerr << "usage: notorio-cli " << kUsage << '\n';
        return 1;
    }
    MemoryWindow window;
    NoteContainers note;
    if (!cli::OpenNoteHeadless(args[0], window, note, issuer)) {
        return 1;
    }
    std::cout << NoteJson(window, note) << '\n';
    return 0;
}

const cli::CommandRegistration registration("show", kUsage, Show);

} // namespace
