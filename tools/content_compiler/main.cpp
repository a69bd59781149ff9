// content_compiler: the corpus into the 339 lesson texts and the table of
// contents, packed into the containers the program carries.
//   content_compiler --corpus DIR --out DIR [--dump-text DIR]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/container_builder.h"
#include "tools/content_compiler/corpus_reader.h"
#include "tools/content_compiler/index_writer.h"
#include "tools/content_compiler/lesson_writer.h"

namespace {

struct Options {
    std::string corpus, out, dump;
};

bool ParseOptions(int argc, char** argv, Options* options)
{
    for (int i = 1; i < argc; ++i) {
        std::string* target = nullptr;
        if (!std::strcmp(argv[i], "--corpus")) target = &options->corpus;
        else if (!std::strcmp(argv[i], "--out")) target = &options->out;
        else if (!std::strcmp(argv[i], "--dump-text")) target = &options->dump;
        if (!target || i + 1 >= argc) return false;
        *target = argv[++i];
    }
    return !options->corpus.empty() && !options->out.empty();
}

// Each text's raw bytes, uncompressed, for inspection.
bool DumpTexts(const std::string& dir, const std::vector<std::vector<uint8_t>>& lessons,
               const std::vector<uint8_t>& index)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string error;
    char name[32];
    for (size_t i = 0; i < lessons.size(); ++i) {
        std::snprintf(name, sizeof name, "lesson_%03zu.bin", i + 1);
        if (!WriteFile(std::filesystem::path(dir) / name, lessons[i].data(), lessons[i].size(), &error)) return false;
    }
    return WriteFile(std::filesystem::path(dir) / "index.bin", index.data(), index.size(), &error);
}

// What the containers weigh: every res_*.bin the builder wrote.
uintmax_t ContainerBytes(const std::string& dir)
{
    uintmax_t total = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("res_", 0) == 0 && entry.path().extension() == ".bin") total += entry.file_size(ec);
    }
    return total;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: content_compiler --corpus DIR --out DIR [--dump-text DIR]\n");
        return 2;
    }
    Corpus corpus;
    std::string error;
    if (!ReadCorpus(options.corpus, &corpus, &error)) {
        std::fprintf(stderr, "content_compiler: %s\n", error.c_str());
        return 1;
    }

    std::vector<std::vector<uint8_t>> lessons;
    size_t textBytes = 0, largest = 0;
    for (const LessonPlan& plan : corpus.lessons) {
        lessons.push_back(BuildLesson(corpus, plan));
        textBytes += lessons.back().size();
        if (lessons.back().size() > lessons[largest].size()) largest = lessons.size() - 1;
    }
    std::vector<uint8_t> index = BuildIndexText(corpus);
    textBytes += index.size();
    for (size_t i = 0; i < lessons.size(); ++i)
        if (lessons[i].size() > LESSON_SIZE_LIMIT) {
            std::fprintf(stderr, "content_compiler: lesson %zu is %zu bytes, over the %zu a lesson may hold\n",
                         i + 1, lessons[i].size(), LESSON_SIZE_LIMIT);
            return 1;
        }
    if (index.size() > LESSON_SIZE_LIMIT) {
        std::fprintf(stderr, "content_compiler: the index is %zu bytes, over %zu\n", index.size(), LESSON_SIZE_LIMIT);
        return 1;
    }

    if (!options.dump.empty() && !DumpTexts(options.dump, lessons, index)) {
        std::fprintf(stderr, "content_compiler: cannot write the texts into %s\n", options.dump.c_str());
        return 1;
    }
    if (!WriteContainers(lessons, index, options.out, &error)) {
        std::fprintf(stderr, "content_compiler: %s\n", error.c_str());
        return 1;
    }
    uintmax_t packed = ContainerBytes(options.out);
    std::printf("lessons: %zu (and the index)\n", lessons.size());
    std::printf("letter-code text: %zu bytes\n", textBytes);
    std::printf("compressed containers: %ju bytes\n", packed);
    std::printf("ratio: %.1f%%\n", textBytes ? 100.0 * static_cast<double>(packed) / static_cast<double>(textBytes) : 0.0);
    std::printf("largest lesson: %zu, %zu bytes\n", largest + 1, lessons[largest].size());
    return 0;
}
