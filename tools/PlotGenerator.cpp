#include "PlotGenerator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

class TRandom {  // small and deterministic
public:
  explicit TRandom(unsigned seed) : state_(seed * 2654435761u + 1) {}
  double Uniform() {  // [0, 1)
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  double Between(double low, double high) { return low + (high - low) * Uniform(); }
  bool Chance(double p) { return Uniform() < p; }
  int Below(int n) { return static_cast<int>(Uniform() * n); }

private:
  std::uint64_t state_;
};

struct TPoint {
  double north, east, vert;
};

struct TBox {
  TPoint min{1e300, 1e300, 1e300}, max{-1e300, -1e300, -1e300};
  void Include(const TPoint& p) {
    min = {std::min(min.north, p.north), std::min(min.east, p.east), std::min(min.vert, p.vert)};
    max = {std::max(max.north, p.north), std::max(max.east, p.east), std::max(max.vert, p.vert)};
  }
  void Include(const TBox& b) {
    Include(b.min);
    Include(b.max);
  }
};

class TPlotWriter {
public:
  explicit TPlotWriter(std::ostream& out) : out_(out) {}
  ~TPlotWriter() { Flush(); }

  TPlotWriter& operator<<(std::string_view text) {
    line_ += text;
    return *this;
  }
  TPlotWriter& Number(double value, int decimals = 2) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
    line_.append(buffer, end);
    return *this;
  }
  TPlotWriter& Integer(long value) {
    char buffer[24];
    line_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    return *this;
  }
  void EndLine() {
    line_ += "\r\n";
    if (line_.size() > (1 << 20)) Flush();
  }
  void Flush() {
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    line_.clear();
  }

private:
  std::ostream& out_;
  std::string line_;
};

const char* const Comments[] = {"Flowstone", "Low crawl, wet", "Sump {P}", "Breakdown \"big\" room",
                                "Bats", "Draught out", "Mud floor", "Pitch head {P}"};

class TCaveGenerator {
public:
  TCaveGenerator(std::ostream& out, unsigned seed) : w_(out), random_(seed) {}

  void Write(long vectors) {
    for (int section = 0; written_ < vectors; ++section) {
      w_ << "SSection " << std::to_string(section + 1) << " of the generated cave";
      w_.EndLine();
      for (int survey = 0; survey < 100 && written_ < vectors; ++survey) {
        if (random_.Chance(0.03)) WriteFeatureSurvey(survey);
        else WriteSurvey(section, survey);
      }
    }
    WritePoint("Z ", caveBox_.min.north, caveBox_.max.north, caveBox_.min.east, caveBox_.max.east,
               caveBox_.min.vert, caveBox_.max.vert);
    w_ << "\x1A";
  }

private:
  void WritePoint(std::string_view lead, double a, double b, double c, double d, double e, double f) {
    w_ << lead;
    for (double value : {a, b, c, d, e, f}) w_.Number(value) << " ";
    w_.EndLine();
  }
  void WriteBox(const TBox& box) {
    WritePoint("X ", box.min.north, box.max.north, box.min.east, box.max.east, box.min.vert, box.max.vert);
    caveBox_.Include(box);
  }
  void WriteVector(char command, const TPoint& at, const std::string& station) {
    w_ << std::string_view(&command, 1) << " ";
    w_.Number(at.north) << " ";
    w_.Number(at.east) << " ";
    w_.Number(at.vert) << " S" << station << " P";
    for (int i = 0; i < 4; ++i) {
      w_ << " ";
      w_.Number(random_.Chance(0.1) ? -9.0 : random_.Between(0.5, 12));
    }
    ++written_;
  }
  void WriteShotTail(double distance, std::string_view flags, std::string_view comment) {
    w_ << "  I ";
    w_.Number(distance);
    if (!flags.empty() || !comment.empty()) {
      w_ << " F" << flags;
      if (!comment.empty()) w_ << " \"" << comment << "\"";
    }
    w_.EndLine();
  }

  void WriteSurvey(int section, int survey) {
    std::string name = "S" + std::to_string(section) + "_" + std::to_string(survey);
    w_ << "N" << name << " D ";
    w_.Integer(1 + random_.Below(12)) << " ";
    w_.Integer(1 + random_.Below(28)) << " ";
    w_.Integer(1970 + random_.Below(55)) << " C" << name << ": surveyed by the generator";
    w_.EndLine();
    TBox box;
    int shots = 50 + random_.Below(150);
    double distance = 0;
    std::string station = name + ".0";
    WriteVector('M', position_, station);
    WriteShotTail(0, "", "");
    box.Include(position_);
    for (int i = 1; i <= shots; ++i) {
      heading_ += random_.Between(-0.5, 0.5);
      double length = random_.Between(2, 40), dip = random_.Between(-0.3, 0.3);
      position_ = {position_.north + length * std::cos(dip) * std::cos(heading_),
                   position_.east + length * std::cos(dip) * std::sin(heading_),
                   position_.vert + length * std::sin(dip)};
      distance += length;
      std::string to = name + "." + std::to_string(i);
      bool hidden = random_.Chance(0.01);
      WriteVector(hidden ? 'd' : 'D', position_, to);
      WriteShotTail(distance, hidden ? "L" : "", random_.Chance(0.05) ? Comments[random_.Below(8)] : "");
      box.Include(position_);
      if (random_.Chance(0.1)) {  // a splay to the wall and back to the station
        TPoint wall{position_.north + random_.Between(-8, 8), position_.east + random_.Between(-8, 8),
                    position_.vert + random_.Between(-3, 3)};
        WriteVector('D', wall, to + "s");
        WriteShotTail(distance, "S", "");
        WriteVector('M', position_, to);
        WriteShotTail(distance, "", "");
        box.Include(wall);
      }
    }
    WriteBox(box);
  }

  void WriteFeatureSurvey(int survey) {
    bool range = random_.Chance(0.5);
    w_ << "FFeature" << std::to_string(survey);
    if (range) w_ << " R 1.0E1 2.5E1";
    w_.EndLine();
    TBox box;
    for (int i = 0; i < 20; ++i) {
      TPoint at{position_.north + random_.Between(-50, 50), position_.east + random_.Between(-50, 50),
                position_.vert + random_.Between(-10, 10)};
      WriteVector('L', at, "F" + std::to_string(i));
      if (range) {
        w_ << " V ";
        w_.Number(random_.Between(10, 25), 3);
      }
      w_.EndLine();
      box.Include(at);
    }
    WriteBox(box);
  }

  TPlotWriter w_;
  TRandom random_;
  TPoint position_{500000, 200000, 1000};
  double heading_ = 0;
  long written_ = 0;
  TBox caveBox_;
};

}  // namespace

void GeneratePlot(std::ostream& out, long vectors, unsigned seed) {
  TCaveGenerator(out, seed).Write(vectors);
}
