// The disc image writer on libarchive's ISO 9660 format. libarchive keeps every file's data in a
// temporary file until it knows the layout, and writes the image when the archive is closed.

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#else
#include <sys/statvfs.h>
#endif

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <memory>
#include <vector>

#include "project/DiscImage.h"

namespace corvela {

namespace {

constexpr size_t kChunkBytes = 1 << 20;

struct ArchiveFree {
  void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
  void operator()(archive_entry* e) const { archive_entry_free(e); }
};
struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileClose>;

FilePtr OpenFile(const NativePath& path, bool write) {
#ifdef _WIN32
  return FilePtr(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
  return FilePtr(std::fopen(path.c_str(), write ? "wb" : "rb"));
#endif
}

std::string Quoted(const NativePath& path) { return "\"" + DisplayPath(path) + "\""; }

void RemoveFile(const NativePath& path) {
#ifdef _WIN32
  _wremove(path.c_str());
#else
  std::remove(path.c_str());
#endif
}

bool IsSeparator(wchar_t c) {
#ifdef _WIN32
  return c == L'\\' || c == L'/';
#else
  return c == L'/';
#endif
}

// The absolute form of a path whose last step need not exist yet (the image), with its folders
// resolved as far as the system resolves them.
NativePath Absolute(const NativePath& path) {
#ifdef _WIN32
  std::unique_ptr<wchar_t, decltype(&std::free)> full(_wfullpath(nullptr, path.c_str(), 0), &std::free);
  return full ? NativePath(full.get()) : path;
#else
  size_t cut = path.find_last_of('/');
  const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr), &std::free);
  if (!real) return path;
  std::string resolved = real.get();
  if (name.empty() || name == ".") return resolved;
  if (name == "..") {
    cut = resolved.find_last_of('/');
    return cut == 0 ? "/" : resolved.substr(0, cut);
  }
  return (resolved == "/" ? "" : resolved) + "/" + name;
#endif
}

NativePath ParentOf(const NativePath& path) {
  size_t cut = path.size();
  while (cut > 0 && !IsSeparator(static_cast<wchar_t>(path[cut - 1]))) --cut;
  while (cut > 1 && IsSeparator(static_cast<wchar_t>(path[cut - 1]))) --cut;
  return path.substr(0, cut);
}

// Where libarchive puts its temporary file: the system's temporary folder.
NativePath TemporaryFolder() {
#ifdef _WIN32
  for (const wchar_t* name : {L"TMP", L"TEMP", L"USERPROFILE"})
    if (const wchar_t* value = _wgetenv(name); value && *value) return value;
  return L"C:\\Windows\\Temp";
#else
  for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "/tmp";
#endif
}

// Capacity and free space of the volume that holds folder; false when it cannot be told.
bool ReadSpace(VolumeSpace& space) {
#ifdef _WIN32
  const NativePath full = Absolute(space.Folder);
  if (full.size() < 2 || full[1] != L':') return false;  // a network path: left to the write
  _diskfree_t free{};
  if (_getdiskfree(static_cast<unsigned>(std::towupper(full[0]) - L'A' + 1), &free) != 0) return false;
  const uint64_t cluster = uint64_t{free.sectors_per_cluster} * free.bytes_per_sector;
  space.Capacity = cluster * free.total_clusters;
  space.Available = cluster * free.avail_clusters;
#else
  struct statvfs st {};
  if (::statvfs(space.Folder.c_str(), &st) != 0) return false;
  space.Capacity = uint64_t{st.f_blocks} * st.f_frsize;
  space.Available = uint64_t{st.f_bavail} * st.f_frsize;
#endif
  return true;
}

// In the "C" locale libarchive cannot turn a name with characters beyond U+00FF into the
// multibyte form its ISO 9660 writer sorts by, and the file silently goes missing. The character
// type follows the user's environment while the image is written, UTF-8 when that is plain "C".
// On Windows the names are wide already and the C runtime has no UTF-8 locale; the libarchive
// built for it takes "C" as UTF-8 (scripts/libarchive-c-locale-utf8.patch), and a code page
// would lose characters again.
class CharacterTypeLocale {
 public:
  CharacterTypeLocale() {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    previous_ = current ? current : "C";
#ifdef _WIN32
    std::setlocale(LC_CTYPE, "C");
#else
    const char* chosen = std::setlocale(LC_CTYPE, "");
    if (!chosen || std::strcmp(chosen, "C") == 0 || std::strcmp(chosen, "POSIX") == 0)
      std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
  }
  ~CharacterTypeLocale() { std::setlocale(LC_CTYPE, previous_.c_str()); }
  CharacterTypeLocale(const CharacterTypeLocale&) = delete;
  CharacterTypeLocale& operator=(const CharacterTypeLocale&) = delete;

 private:
  std::string previous_;
};

// The name inside the image as wide characters with "/" between folders.
bool WideName(const NativePath& inImage, std::wstring& wide) {
#ifdef _WIN32
  wide = inImage;
  return true;
#else
  const std::string& bytes = inImage;
  std::mbstate_t state{};
  const char* source = bytes.c_str();
  const size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
  if (length == static_cast<size_t>(-1)) return false;
  wide.assign(length, L'\0');
  source = bytes.c_str();
  state = std::mbstate_t{};
  std::mbsrtowcs(wide.data(), &source, length, &state);
  return true;
#endif
}

// True when path lies in folder or below it; letter case counts on Windows only as Windows
// compares names.
bool IsInside(const NativePath& path, const NativePath& folder) {
  NativePath p = Absolute(path), f = Absolute(folder);
  while (f.size() > 1 && IsSeparator(static_cast<wchar_t>(f.back()))) f.pop_back();
#ifdef _WIN32
  for (NativePath* text : {&p, &f})
    for (wchar_t& c : *text) c = IsSeparator(c) ? L'\\' : static_cast<wchar_t>(std::towlower(c));
#endif
  if (p.compare(0, f.size(), f) != 0) return false;
  return p.size() == f.size() || IsSeparator(static_cast<wchar_t>(p[f.size()])) ||
         IsSeparator(static_cast<wchar_t>(f.back()));
}

// The free space of the temporary copy's volume and of the image's, checked before anything is
// written; a folder whose space cannot be read is left to fail when it is written.
bool CheckFreeSpace(const std::vector<DiscImageEntry>& entries, const NativePath& image, std::string& error) {
  VolumeSpace temp, target;
  temp.Folder = TemporaryFolder();
  target.Folder = ParentOf(Absolute(image));
  if (!ReadSpace(temp) || !ReadSpace(target)) return true;
  error = FreeSpaceShortage(entries, temp, target);
  return error.empty();
}

// Where the image's bytes go, counting them for the progress report.
struct Sink {
  std::FILE* File = nullptr;
  const DiscImageProgress* Progress = nullptr;
  uint64_t DataBytes = 0;      // file data fed in the first pass
  uint64_t ExpectedTotal = 0;  // data fed plus the estimated image
  uint64_t Written = 0;
  bool Cancelled = false;
  bool Abandoned = false;  // after a failure: nothing more reaches the file
  int WriteError = 0;

  bool Report(uint64_t done) {
    if (!*Progress) return true;
    // Estimates are rough: the end is reported only once the image is complete.
    if (done >= ExpectedTotal) done = ExpectedTotal - 1;
    if (!(*Progress)(done, ExpectedTotal)) Cancelled = true;
    return !Cancelled;
  }
};

la_ssize_t WriteToSink(archive*, void* data, const void* buffer, size_t length) {
  Sink& sink = *static_cast<Sink*>(data);
  if (sink.Cancelled || sink.Abandoned) return -1;
  if (std::fwrite(buffer, 1, length, sink.File) != length) {
    sink.WriteError = errno ? errno : EIO;
    return -1;
  }
  sink.Written += length;
  if (!sink.Report(sink.DataBytes + sink.Written)) return -1;
  return static_cast<la_ssize_t>(length);
}

class LibarchiveImageWriter : public DiscImageWriter {
 public:
  DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) override {
    DiscImageResult result;
    std::vector<DiscImageEntry> entries;
    if (!CollectDiscImageEntries(request.Folder, entries, result.Error)) return result;
    if (IsInside(request.Image, request.Folder)) {
      result.Error = "The image " + Quoted(request.Image) + " cannot be written inside the folder it is made of.";
      return result;
    }
    if (!CheckFreeSpace(entries, request.Image, result.Error)) return result;

    CharacterTypeLocale locale;
    FilePtr file = OpenFile(request.Image, true);
    if (!file) {
      result.Error = "Cannot create file " + Quoted(request.Image) + ". " + std::strerror(errno);
      return result;
    }
    Sink sink;
    sink.File = file.get();
    sink.Progress = &progress;
    for (const DiscImageEntry& entry : entries) sink.DataBytes += entry.Size;
    sink.ExpectedTotal = sink.DataBytes + EstimatedImageBytes(entries);

    std::unique_ptr<archive, ArchiveFree> a(archive_write_new());
    const std::string label = VolumeLabelFrom(request.VolumeLabel);
    bool ok = a && archive_write_set_format_iso9660(a.get()) == ARCHIVE_OK &&
              // Level 3 splits files of 4 GiB and more into several extents.
              archive_write_set_format_option(a.get(), "iso9660", "iso-level", "3") == ARCHIVE_OK &&
              archive_write_set_format_option(a.get(), "iso9660", "joliet", "long") == ARCHIVE_OK &&
              archive_write_set_format_option(a.get(), "iso9660", "volume-id", label.c_str()) == ARCHIVE_OK &&
              archive_write_set_bytes_in_last_block(a.get(), 1) == ARCHIVE_OK &&
              archive_write_open(a.get(), &sink, nullptr, WriteToSink, nullptr) == ARCHIVE_OK;
    std::string error;
    if (!ok) error = a ? ArchiveError(a.get()) : "Out of memory.";
    uint64_t fed = 0;
    std::vector<char> buffer;
    for (size_t i = 0; ok && i < entries.size(); ++i) {
      ok = AddEntry(a.get(), entries[i], sink, fed, buffer, error);
    }
    // Closing writes the image out of libarchive's temporary copy.
    const bool closed = ok;
    if (ok && archive_write_close(a.get()) != ARCHIVE_OK) {
      ok = false;
      if (!sink.Cancelled) error = sink.WriteError ? WriteFailure(request.Image, sink.WriteError) : ArchiveError(a.get());
    }
    if (ok && std::fclose(file.release()) != 0) {
      ok = false;
      error = WriteFailure(request.Image, errno);
    }
    if (!ok) {
      // Closing frees what libarchive holds for the output (archive_write_fail would leak it);
      // the sink turns every further write away, so it ends at the first one.
      sink.Abandoned = true;
      if (a && !closed) archive_write_close(a.get());
      a.reset();
      file.reset();
      RemoveFile(request.Image);
      result.Outcome = sink.Cancelled ? DiscImageOutcome::Cancelled : DiscImageOutcome::Failed;
      result.Error = sink.Cancelled ? std::string() : error;
      return result;
    }
    result.Outcome = DiscImageOutcome::Written;
    result.ImageBytes = sink.Written;
    if (progress) progress(sink.ExpectedTotal, sink.ExpectedTotal);
    return result;
  }

 private:
  static std::string ArchiveError(archive* a) {
    const char* text = archive_error_string(a);
    return std::string("The image cannot be written. ") + (text ? text : "Unknown error.");
  }

  static std::string WriteFailure(const NativePath& image, int err) {
    return "Cannot write file " + Quoted(image) + ". " + std::strerror(err);
  }

  static bool AddEntry(archive* a, const DiscImageEntry& entry, Sink& sink, uint64_t& fed, std::vector<char>& buffer,
                       std::string& error) {
    std::wstring name;
    if (!WideName(entry.InImage, name)) {
      error = "The name " + Quoted(entry.InImage) + " is not valid in the current character set.";
      return false;
    }
    std::unique_ptr<archive_entry, EntryFree> e(archive_entry_new());
    archive_entry_copy_pathname_w(e.get(), name.c_str());
    archive_entry_set_filetype(e.get(), entry.IsFolder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(e.get(), entry.IsFolder ? 0755 : 0644);
    archive_entry_set_size(e.get(), static_cast<la_int64_t>(entry.Size));
    archive_entry_set_mtime(e.get(), static_cast<time_t>(entry.ModifiedSeconds), entry.ModifiedNanoseconds);
    if (archive_write_header(a, e.get()) < ARCHIVE_WARN) {
      error = ArchiveError(a);
      return false;
    }
    if (entry.IsFolder) return true;
    FilePtr source = OpenFile(entry.Source, false);
    if (!source) {
      error = "Cannot open file " + Quoted(entry.Source) + ". " + std::strerror(errno);
      return false;
    }
    buffer.resize(kChunkBytes);
    uint64_t done = 0;
    while (done < entry.Size) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), entry.Size - done));
      const size_t got = std::fread(buffer.data(), 1, want, source.get());
      if (got == 0) break;
      if (archive_write_data(a, buffer.data(), got) < 0) {
        error = ArchiveError(a);
        return false;
      }
      done += got;
      fed += got;
      if (!sink.Report(fed)) return false;
    }
    if (done != entry.Size || std::ferror(source.get())) {
      error = "Cannot read file " + Quoted(entry.Source) + " to its end; it may have changed meanwhile.";
      return false;
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<DiscImageWriter> MakeLibarchiveImageWriter() {
  return std::make_unique<LibarchiveImageWriter>();
}

}  // namespace corvela
