#include "x_input.h"

#include <signal.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include <QThread>
#include <gtest/gtest.h>

namespace xin {

Player::Player() : c_(xcb_connect(nullptr, nullptr)) {
  if (!ok()) return;
  root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
}

Player::~Player() { xcb_disconnect(c_); }

bool Player::ok() const { return !xcb_connection_has_error(c_); }

void Player::fake(uint8_t type, uint8_t detail, int16_t x, int16_t y) {
  xcb_test_fake_input(c_, type, detail, XCB_CURRENT_TIME, root_, x, y, 0);
}

void Player::moveTo(Point p) { fake(XCB_MOTION_NOTIFY, 0, static_cast<int16_t>(p.x), static_cast<int16_t>(p.y)); }
void Player::press(int button) { fake(XCB_BUTTON_PRESS, static_cast<uint8_t>(button)); }
void Player::release(int button) { fake(XCB_BUTTON_RELEASE, static_cast<uint8_t>(button)); }

void Player::click(Point p, int button) {
  moveTo(p);
  press(button);
  release(button);
}

void Player::drag(Point from, Point to, int steps) {
  moveTo(from);
  press();
  for (int i = 1; i <= steps; ++i)
    moveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  release();
}

uint8_t Player::keycode(uint32_t keysym) {
  if (auto it = codes_.find(keysym); it != codes_.end()) return it->second;
  const xcb_setup_t* setup = xcb_get_setup(c_);
  const uint8_t first = setup->min_keycode;
  const int count = setup->max_keycode - first + 1;
  std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&free)> map(
      xcb_get_keyboard_mapping_reply(c_, xcb_get_keyboard_mapping(c_, first, static_cast<uint8_t>(count)), nullptr),
      &free);
  uint8_t code = 0;
  if (map) {
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    const int per = map->keysyms_per_keycode;
    for (int k = 0; k < count && !code; ++k)
      if (syms[k * per] == keysym) code = static_cast<uint8_t>(first + k);
  }
  EXPECT_NE(code, 0) << "no key for keysym " << keysym;
  codes_[keysym] = code;
  return code;
}

void Player::keyDown(uint32_t keysym) { fake(XCB_KEY_PRESS, keycode(keysym)); }
void Player::keyUp(uint32_t keysym) { fake(XCB_KEY_RELEASE, keycode(keysym)); }
void Player::key(uint32_t keysym) {
  keyDown(keysym);
  keyUp(keysym);
}

void Player::sync() { free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }

// ---- the probe ----

Probe::Probe(const std::string& game, unsigned seed) {
  const char* program = std::getenv("VPK_INPUT_PROBE");
  if (!program) {
    ADD_FAILURE() << "VPK_INPUT_PROBE is not set";
    return;
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("HOME", home_.path());
  env.remove("PULSE_SERVER");
  p_.setProcessEnvironment(env);
  p_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p_.start(program, {QString::fromStdString(game), QString::number(seed)});
  if (!p_.waitForStarted(10000)) {
    ADD_FAILURE() << "the probe did not start";
    return;
  }
  QByteArray line;
  while (!line.endsWith('\n') && p_.waitForReadyRead(20000)) line += p_.readLine();
  ready_ = line.trimmed() == "ready";
  if (!ready_) ADD_FAILURE() << "the probe did not get ready: " << line.toStdString();
}

Probe::~Probe() {
  if (p_.state() == QProcess::NotRunning) return;
  p_.closeWriteChannel();  // the probe ends when its input does
  if (!p_.waitForFinished(5000)) {
    p_.kill();
    p_.waitForFinished(5000);
  }
}

std::string Probe::ask(const std::string& command) {
  if (!ready_) return {};
  p_.write((command + "\n").c_str());
  QByteArray line;
  while (!line.endsWith('\n')) {
    if (p_.canReadLine()) {
      line += p_.readLine();
      continue;
    }
    if (!p_.waitForReadyRead(10000)) {
      ADD_FAILURE() << "the probe did not answer: " << command;
      ready_ = false;
      return {};
    }
  }
  return line.trimmed().toStdString();
}

void Probe::pause(bool stop) {
  if (p_.processId() > 0) ::kill(static_cast<pid_t>(p_.processId()), stop ? SIGSTOP : SIGCONT);
}

State Probe::state() {
  State s;
  std::istringstream in(ask("state"));
  std::string field;
  while (in >> field) {
    const auto eq = field.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = field.substr(0, eq), v = field.substr(eq + 1);
    if (key == "window") {
      s.window = v;
      continue;
    }
    const int n = std::atoi(v.c_str());
    if (key == "clip") s.clip = n;
    if (key == "held") s.held = n;
    if (key == "handlers") s.handlers = n;
    if (key == "input") s.input = n;
    if (key == "inputInClip") s.inputInClip = n;
    if (key == "popup") s.popup = n;
    if (key == "menus") s.menus = n;
  }
  return s;
}

std::vector<std::string> Probe::log() {
  std::istringstream in(ask("log"));
  std::vector<std::string> out;
  std::string word;
  in >> word;  // "log"
  while (in >> word) out.push_back(word);
  return out;
}

std::vector<long long> Probe::values(const std::string& command) {
  std::istringstream in(ask(command));
  std::vector<long long> out;
  std::string word;
  in >> word;
  long long v;
  while (in >> v) out.push_back(v);
  return out;
}

long long Probe::value(const std::string& name) {
  const auto v = values("get " + name);
  return v.empty() ? -1 : v.front();
}

Point Probe::point(const std::string& answer, const std::string& what) {
  std::istringstream in(answer);
  std::string word;
  Point p;
  if (!(in >> word >> p.x >> p.y) || word != "at") ADD_FAILURE() << "no place for " << what << ": " << answer;
  return p;
}

Point Probe::control(const std::string& name, int index) {
  std::string c = name;
  if (index >= 0) {
    c += ' ';
    c += std::to_string(index);
  }
  return point(ask("control " + c), c);
}
Point Probe::form(int x, int y) {
  std::string command = "form ";
  command += std::to_string(x);
  command += ' ';
  command += std::to_string(y);
  return point(ask(command), command);
}
Point Probe::bar(const std::string& caption) { return point(ask("bar " + caption), caption); }
Point Probe::item(const std::string& caption) { return point(ask("item " + caption), caption); }

// Asks again, a little apart, until `done` holds, the probe has gone or `ms` have passed; the last
// answer either way.
template <class T, class Ask, class Done>
T Probe::poll(Ask ask, Done done, int ms) {
  QElapsedTimer t;
  t.start();
  T now = ask();
  while (ready_ && !done(now) && t.elapsed() < ms) {
    QThread::msleep(2);  // between questions: the probe answers at its next pass anyway
    now = ask();
  }
  return now;
}

State Probe::waitFor(const std::function<bool(const State&)>& done, int ms) {
  return poll<State>([this] { return state(); }, done, ms);
}

long long Probe::waitForValue(const std::string& name, long long v, int ms) {
  return poll<long long>([&] { return value(name); }, [v](long long now) { return now == v; }, ms);
}

std::string Probe::waitForAnswer(const std::string& command, const std::string& want, int ms) {
  return poll<std::string>([&] { return ask(command); }, [&](const std::string& now) { return now == want; }, ms);
}

}  // namespace xin
