#include <gtest/gtest.h>

#include <filesystem>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::openObservedFile;
using testing::Session;
using testing::sweep;
using testing::threePoints;

