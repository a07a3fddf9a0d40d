// Measuring stick, not product code: the least work an "import 100k TAB lines" can do.
// bench/import-vs-floor runs it beside `kolvaro-cli import` and prints the ratio.
//
// Reads a TAB file (lines end at CR, an LF after it is skipped, Ctrl-Z ends the file),
// splits each line into 7 fields and the remainder (everything after the first tab cut
// to 240 characters, as the import does), parses the date (YYYYMMDD) and the
// decimal-comma amount, and writes one fixed-length 330-byte record per line.
//
//   import_floor MODE IN.tab OUT.dat [--dedup]
//   MODE  row       one write() per record (a table engine storing each row at once)
//         rowhdr    as row, plus a 4-byte pwrite() of the record count into a 32-byte
//                   header after each record (as a dBase append updates its header)
//         buffered  all records kept in memory, one write() at the end
//   --dedup  keep OUT.dat: load the date, amount and description of its records into a
//            hash set, then append only lines whose date, amount and remainder are not
//            in it (also not earlier in the same file): the import's duplicate test at
//            in-memory cost.  Without --dedup OUT.dat is truncated.
//
// Prints "lines N appended A rows R bytes B" to stderr.  Exit 1 on a bad line, 2 on usage/IO.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

constexpr size_t kRecord = 330;
constexpr size_t kHeader = 32;
constexpr size_t kCut = 240;

struct Line
{
    std::string_view f[7];
    std::string_view rest;
};

Line split(std::string_view line)
{
    Line out;
    std::string_view work = line;
    for (int i = 0; i < 7; ++i) {
        size_t tab = work.find('\t');
        if (tab == std::string_view::npos) {
            out.f[i] = {};
        } else {
            out.f[i] = work.substr(0, tab);
            work = work.substr(tab + 1);
        }
        work = work.substr(0, kCut);
    }
    out.rest = work;
    return out;
}

bool parse_date(std::string_view s, int* y, int* m, int* d)
{
    if (s.size() < 8)
        return false;
    for (int i = 0; i < 8; ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    *y = (s[0] - '0') * 1000 + (s[1] - '0') * 100 + (s[2] - '0') * 10 + (s[3] - '0');
    *m = (s[4] - '0') * 10 + (s[5] - '0');
    *d = (s[6] - '0') * 10 + (s[7] - '0');
    static const int mdays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (*m < 1 || *m > 12 || *d < 1 || *d > mdays[*m - 1])
        return false;
    bool leap = (*y % 4 == 0 && *y % 100 != 0) || *y % 400 == 0;
    return !(*m == 2 && *d == 29 && !leap);
}

// Decimal comma, optional sign, spaces around; no thousands separator, no '.'.
bool parse_amount(std::string_view s, double* out)
{
    char buf[64];
    size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    if (b == a || b - a >= sizeof buf)
        return false;
    for (size_t i = a; i < b; ++i) {
        char c = s[i];
        if (c == '.')
            return false;
        buf[i - a] = c == ',' ? '.' : c;
    }
    buf[b - a] = 0;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(buf, &end);
    if (end != buf + (b - a) || errno)
        return false;
    *out = std::nearbyint(v * 100.0) / 100.0; // round half to even, whole cents
    return true;
}

void put(char* dst, size_t width, std::string_view src)
{
    size_t n = src.size() < width ? src.size() : width;
    std::memcpy(dst, src.data(), n);
    std::memset(dst + n, ' ', width - n);
}

// 1 deletion flag, datum 8, Soort 6, Naam 40, Omschrijving 250, reknum 15, Bedrag 10 = 330
void make_record(char* r, int y, int m, int d, double amount, const Line& l)
{
    char tmp[32];
    r[0] = ' ';
    std::snprintf(tmp, sizeof tmp, "%04d%02d%02d", y, m, d);
    std::memcpy(r + 1, tmp, 8);
    put(r + 9, 6, "     3");
    put(r + 15, 40, l.rest.substr(0, 40));
    put(r + 55, 250, l.rest);
    put(r + 305, 15, l.f[0]);
    int n = std::snprintf(tmp, sizeof tmp, "%10.2f", amount);
    put(r + 320, 10, std::string_view(tmp, n > 10 ? 10 : n));
}

// Duplicate key of a record: datum, Bedrag and Omschrijving without trailing blanks.
std::string record_key(const char* r)
{
    std::string_view desc(r + 55, 250);
    size_t e = desc.find_last_not_of(' ');
    desc = desc.substr(0, e == std::string_view::npos ? 0 : e + 1);
    std::string key(r + 1, 8);
    key.append(r + 320, 10).append(desc);
    return key;
}

bool write_all(int fd, const char* p, size_t n)
{
    while (n) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "--dedup") != 0)) {
        std::fprintf(stderr, "usage: %s row|rowhdr|buffered IN.tab OUT.dat [--dedup]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    if (mode != "row" && mode != "rowhdr" && mode != "buffered") {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    const bool dedup = argc == 5;

    int in = ::open(argv[2], O_RDONLY);
    struct stat st;
    if (in < 0 || ::fstat(in, &st) != 0) {
        std::perror(argv[2]);
        return 2;
    }
    std::string data(static_cast<size_t>(st.st_size), '\0');
    size_t got = 0;
    while (got < data.size()) {
        ssize_t r = ::read(in, &data[got], data.size() - got);
        if (r <= 0)
            break;
        got += static_cast<size_t>(r);
    }
    ::close(in);
    data.resize(got);
    size_t eof = data.find('\x1a');
    std::string_view text(data.data(), eof == std::string::npos ? data.size() : eof);

    int out = ::open(argv[3], O_RDWR | O_CREAT | (dedup ? 0 : O_TRUNC), 0644);
    if (out < 0) {
        std::perror(argv[3]);
        return 2;
    }
    const size_t head = mode == "rowhdr" ? kHeader : 0;
    std::unordered_set<std::string> seen;
    uint32_t stored = 0;
    struct stat ost;
    if (::fstat(out, &ost) != 0)
        return 2;
    if (ost.st_size > 0) { // only with --dedup: seed the set from the stored records
        std::string table(static_cast<size_t>(ost.st_size), '\0');
        if (::pread(out, &table[0], table.size(), 0) != static_cast<ssize_t>(table.size()))
            return 2;
        for (size_t off = head; off + kRecord <= table.size(); off += kRecord, ++stored)
            seen.insert(record_key(table.data() + off));
        if (::lseek(out, static_cast<off_t>(head + stored * kRecord), SEEK_SET) < 0)
            return 2;
    } else if (head) {
        char header[kHeader] = {0x03};
        if (!write_all(out, header, kHeader))
            return 2;
    }
    const uint32_t preexisting = stored;

    std::vector<char> buffer;
    if (mode == "buffered")
        buffer.reserve(kRecord * (text.size() / 80 + 1));
    char rec[kRecord];
    uint32_t lines = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t cr = text.find('\r', pos);
        size_t end = cr == std::string_view::npos ? text.size() : cr;
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (cr != std::string_view::npos && pos < text.size() && text[pos] == '\n')
            ++pos;
        ++lines;

        Line l = split(line);
        int y, m, d;
        double amount;
        if (!parse_amount(l.f[6], &amount)) {
            std::fprintf(stderr, "line %u: '%.*s' is not a valid floating point value\n", lines,
                         static_cast<int>(l.f[6].size()), l.f[6].data());
            return 1;
        }
        if (!parse_date(l.f[2], &y, &m, &d)) {
            std::fprintf(stderr, "line %u: '%.*s' is not a valid date\n", lines,
                         static_cast<int>(l.f[2].size()), l.f[2].data());
            return 1;
        }
        make_record(rec, y, m, d, amount, l);
        if (dedup && !seen.insert(record_key(rec)).second)
            continue;
        ++stored;
        if (mode == "buffered") {
            buffer.insert(buffer.end(), rec, rec + kRecord);
        } else {
            if (!write_all(out, rec, kRecord))
                return 2;
            if (mode == "rowhdr" && ::pwrite(out, &stored, 4, 4) != 4)
                return 2;
        }
    }
    if (mode == "buffered" && !write_all(out, buffer.data(), buffer.size()))
        return 2;
    if (::close(out) != 0)
        return 2;
    std::fprintf(stderr, "lines %u appended %u rows %u bytes %zu\n", lines, stored - preexisting,
                 stored, static_cast<size_t>(stored) * kRecord + head);
    return 0;
}
