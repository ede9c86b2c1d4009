// Memory the file readers take on hostile files, each case in its own run (peak memory is per process):
//   korvel_files_bench library   200 small custom crop files, each declaring a 1000 x 1000 inch yield table
//   korvel_files_bench largest   200 custom crops of 100 x 100 inch tables, each with three soil records as large
//   korvel_files_bench values    a 50 MB trend value file of 26 million values
// Prints one line:
//   case=library|largest crops=<n> table_cells=<n> seconds=<s> peak_rss_mb=<m>
//   case=values built=<yes|no> values=<n> seconds=<s> peak_rss_mb=<m>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "model/BatchProcess.h"
#include "model/FileReader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct ScratchFolder {
    fs::path path;
    ScratchFolder()
    {
        std::random_device rd;
        path = fs::temp_directory_path() / ("korvel-files-bench-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

void write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

int library(const char* name, const std::string& inches, bool soils)
{
    ScratchFolder folder;
    write(
        folder.path / "crops" / "1.txt",
        "CROP=Corn\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=11,21\r\n\r\nEFF_IRRIG=0,24\r\n\r\nYIELD_VALUES=1\r\n");
    for (int i = 0; i < 200; ++i) {
        const std::string number = std::to_string(i);
        std::string text = "CROP=Huge ";
        text += number;
        text += "\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=";
        text += inches;
        text += "\r\n\r\nEFF_IRRIG=";
        text += inches;
        text += "\r\n\r\nYIELD_VALUES=1\r\n";
        write(folder.path / "crops" / "custom" / (number + ".txt"), text);
        if (!soils)
            continue;
        std::string records;
        for (const char* soil : {"Ulysses", "Valent", "Valentine"}) {
            records += "SOIL=";
            records += soil;
            records += "\r\nANNUAL_RAIN=";
            records += inches;
            records += "\r\nEFF_IRRIG=";
            records += inches;
            records += "\r\nYIELD_VALUES=1\r\nRELATIVE_VALUES=1\r\n";
        }
        write(folder.path / "crops" / "soils" / ("huge " + number + ".txt"), records);
    }
    const auto start = Clock::now();
    korvel::FileReader reader;
    reader.Initialize(folder.path);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::size_t cells = 0;
    for (const auto& crop : *reader.cropCollection) {
        for (const auto& row : crop->yieldTable)
            cells += row.size();
        for (const auto& soil : {crop->soil_ulysses, crop->soil_valent, crop->soil_valentine})
            for (long i = 1; i <= soil->Count(); ++i)
                for (const auto& row : soil->Item(i))
                    cells += row.size();
    }
    std::printf("case=%s crops=%ld table_cells=%zu seconds=%.3f peak_rss_mb=%.1f\n", name,
                reader.cropCollection->Count(), cells, seconds, peakRssMb());
    return 0;
}

int values()
{
    ScratchFolder folder;
    const fs::path file = folder.path / "values.txt";
    {
        // written a megabyte at a time, so that the peak memory is the reader's
        std::string chunk;
        while (chunk.size() < 1'000'000)
            chunk += "1,";
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 52; ++i)
            out << chunk;
        out << "1\r\n";
    }
    const auto start = Clock::now();
    korvel::BatchProcessInput input;
    input.mode = korvel::ImportValues;
    input.fileName = file.string();
    const korvel::BatchProcessBuild built = korvel::makeBatchProcess(input);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("case=values built=%s values=%zu seconds=%.3f peak_rss_mb=%.1f\n", built.process ? "yes" : "no",
                built.process ? built.process->GetValueArray().size() : 0, seconds, peakRssMb());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string which = argc == 2 ? argv[1] : "";
    if (which == "library")
        return library("library", "0,1000", false);
    if (which == "largest")
        return library("largest", "0,100", true);
    if (which == "values")
        return values();
    std::fprintf(stderr, "usage: %s library|largest|values\n", argv[0]);
    return 2;
}
