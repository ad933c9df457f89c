// make-firstrun-zip: builds the first-run archive that the launcher carries
// as its resource "ZIP" 269 from the files in res/firstrun/:
//   make-firstrun-zip SOURCE_FOLDER OUTPUT_ZIP
// Two deflated entries, "systemset.ini" and "uninstall.ico", with no
// folders, recorded as made on a DOS host with the archive attribute. The
// time stamp is fixed so that every build gives the same bytes.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "zip_writer.h"

namespace {

struct Expected {
    const char* name;
    size_t size;
    uint16_t internal_attributes;  // bit 0: text
};

constexpr Expected kFiles[] = {
    {"systemset.ini", 137, 1},
    {"uninstall.ico", 1150, 0},
};

bool ReadWhole(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make-firstrun-zip SOURCE_FOLDER OUTPUT_ZIP\n");
        return 2;
    }
    try {
        std::vector<vostra::ziptool::WriterEntry> entries;
        for (const Expected& f : kFiles) {
            vostra::ziptool::WriterEntry e;
            e.name = f.name;
            if (!ReadWhole(std::string(argv[1]) + "/" + f.name, e.data)) {
                fprintf(stderr, "make-firstrun-zip: cannot read %s/%s\n", argv[1], f.name);
                return 1;
            }
            if (e.data.size() != f.size) {
                fprintf(stderr, "make-firstrun-zip: %s has %zu bytes, expected %zu\n", f.name,
                        e.data.size(), f.size);
                return 1;
            }
            e.method = 8;
            e.version_made_by = 20;  // host 0: DOS
            e.external_attributes = 0x20;
            e.internal_attributes = f.internal_attributes;
            e.dos_date = vostra::ziptool::DosDate(2024, 1, 1);
            e.dos_time = vostra::ziptool::DosTime(12, 0, 0);
            entries.push_back(std::move(e));
        }
        const std::string zip = vostra::ziptool::BuildZip(entries);
        const std::string temp = std::string(argv[2]) + ".tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << zip;
            if (!out.flush()) {
                fprintf(stderr, "make-firstrun-zip: cannot write %s\n", temp.c_str());
                return 1;
            }
        }
        if (std::rename(temp.c_str(), argv[2]) != 0) {
            fprintf(stderr, "make-firstrun-zip: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        fprintf(stderr, "make-firstrun-zip: %s\n", e.what());
        return 1;
    }
    return 0;
}
