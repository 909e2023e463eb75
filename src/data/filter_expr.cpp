#include "filter_expr.h"

#include "db_error.h"
#include "value_compare.h"

namespace {

enum class Tok { End, Ident, Number, Text, Op, LParen, RParen };

struct Token {
    Tok kind = Tok::End;
    QString text;
};

class Lexer {
  public:
    explicit Lexer(const QString& s) : s_(s) {}

    Token next() {
        while (pos_ < s_.size() && s_.at(pos_).isSpace())
            ++pos_;
        if (pos_ >= s_.size())
            return {Tok::End, {}};
        const QChar c = s_.at(pos_);
        if (c == '(') {
            ++pos_;
            return {Tok::LParen, QStringLiteral("(")};
        }
        if (c == ')') {
            ++pos_;
            return {Tok::RParen, QStringLiteral(")")};
        }
        if (c == '\'' || c == '"')
            return quoted(c);
        if (c == '[') {
            const int end = s_.indexOf(']', pos_);
            if (end < 0)
                fail();
            Token t{Tok::Ident, s_.mid(pos_ + 1, end - pos_ - 1)};
            pos_ = end + 1;
            return t;
        }
        if (c == '<' || c == '>' || c == '=' || c == '!') {
            QString op(c);
            ++pos_;
            if (pos_ < s_.size() && (s_.at(pos_) == '=' || (c == '<' && s_.at(pos_) == '>'))) {
                op += s_.at(pos_);
                ++pos_;
            }
            if (op == QLatin1String("!"))
                fail();
            return {Tok::Op, op};
        }
        if (c.isDigit() || c == '.' || c == '-' || c == '+') {
            const int start = pos_;
            ++pos_;
            while (pos_ < s_.size() && (s_.at(pos_).isDigit() || s_.at(pos_) == '.'))
                ++pos_;
            return {Tok::Number, s_.mid(start, pos_ - start)};
        }
        if (c.isLetter() || c == '_') {
            const int start = pos_;
            while (pos_ < s_.size() && (s_.at(pos_).isLetterOrNumber() || s_.at(pos_) == '_'))
                ++pos_;
            return {Tok::Ident, s_.mid(start, pos_ - start)};
        }
        fail();
    }

    [[noreturn]] void fail() const {
        throw DbError(QStringLiteral("invalid filter text: %1").arg(s_));
    }

  private:
    Token quoted(QChar q) {
        QString out;
        ++pos_;
        while (pos_ < s_.size()) {
            const QChar c = s_.at(pos_);
            if (c == q) {
                if (pos_ + 1 < s_.size() && s_.at(pos_ + 1) == q) {
                    out += q;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return {Tok::Text, out};
            }
            out += c;
            ++pos_;
        }
        fail();
    }

    const QString& s_;
    int pos_ = 0;
};

using Row = FilterExpr::Row;

class AndExpr final : public FilterExpr {
  public:
    AndExpr(std::unique_ptr<FilterExpr> a, std::unique_ptr<FilterExpr> b)
        : a_(std::move(a)), b_(std::move(b)) {}
    bool matches(const Row& r) const override { return a_->matches(r) && b_->matches(r); }

  private:
    std::unique_ptr<FilterExpr> a_, b_;
};

class OrExpr final : public FilterExpr {
  public:
    OrExpr(std::unique_ptr<FilterExpr> a, std::unique_ptr<FilterExpr> b)
        : a_(std::move(a)), b_(std::move(b)) {}
    bool matches(const Row& r) const override { return a_->matches(r) || b_->matches(r); }

  private:
    std::unique_ptr<FilterExpr> a_, b_;
};

class NotExpr final : public FilterExpr {
  public:
    explicit NotExpr(std::unique_ptr<FilterExpr> a) : a_(std::move(a)) {}
    bool matches(const Row& r) const override { return !a_->matches(r); }

  private:
    std::unique_ptr<FilterExpr> a_;
};

class CompareExpr final : public FilterExpr {
  public:
    CompareExpr(int column, QString op, QVariant literal)
        : column_(column), op_(std::move(op)), literal_(std::move(literal)) {}
    bool matches(const Row& r) const override {
        const auto c = compareValues(r.at(column_), literal_);
        if (!c)
            return false;
        if (op_ == QLatin1String("="))
            return *c == 0;
        if (op_ == QLatin1String("<>") || op_ == QLatin1String("!="))
            return *c != 0;
        if (op_ == QLatin1String("<"))
            return *c < 0;
        if (op_ == QLatin1String(">"))
            return *c > 0;
        if (op_ == QLatin1String("<="))
            return *c <= 0;
        return *c >= 0;
    }

  private:
    int column_;
    QString op_;
    QVariant literal_;
};

class LikeExpr final : public FilterExpr {
  public:
    LikeExpr(int column, QString pattern) : column_(column), pattern_(std::move(pattern)) {}
    bool matches(const Row& r) const override {
        const QVariant& v = r.at(column_);
        return !isNullValue(v) && jetLike(v.toString(), pattern_);
    }

  private:
    int column_;
    QString pattern_;
};

class NullExpr final : public FilterExpr {
  public:
    NullExpr(int column, bool wantNull) : column_(column), wantNull_(wantNull) {}
    bool matches(const Row& r) const override { return isNullValue(r.at(column_)) == wantNull_; }

  private:
    int column_;
    bool wantNull_;
};

bool isWord(const Token& t, const char* word) {
    return t.kind == Tok::Ident && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

class Parser {
  public:
    Parser(const QString& text, const FilterExpr::ColumnLookup& lookup)
        : lexer_(text), lookup_(lookup) {
        advance();
    }

    std::unique_ptr<FilterExpr> parse() {
        auto e = orExpr();
        if (tok_.kind != Tok::End)
            lexer_.fail();
        return e;
    }

  private:
    void advance() { tok_ = lexer_.next(); }

    std::unique_ptr<FilterExpr> orExpr() {
        auto e = andExpr();
        while (isWord(tok_, "or")) {
            advance();
            e = std::make_unique<OrExpr>(std::move(e), andExpr());
        }
        return e;
    }

    std::unique_ptr<FilterExpr> andExpr() {
        auto e = unary();
        while (isWord(tok_, "and")) {
            advance();
            e = std::make_unique<AndExpr>(std::move(e), unary());
        }
        return e;
    }

    std::unique_ptr<FilterExpr> unary() {
        if (isWord(tok_, "not")) {
            advance();
            return std::make_unique<NotExpr>(unary());
        }
        if (tok_.kind == Tok::LParen) {
            advance();
            auto e = orExpr();
            if (tok_.kind != Tok::RParen)
                lexer_.fail();
            advance();
            return e;
        }
        return comparison();
    }

    std::unique_ptr<FilterExpr> comparison() {
        if (tok_.kind != Tok::Ident)
            lexer_.fail();
        const int column = lookup_(tok_.text);
        if (column < 0)
            throw DbError(QStringLiteral("unknown column in filter: %1").arg(tok_.text));
        advance();
        if (isWord(tok_, "like")) {
            advance();
            if (tok_.kind != Tok::Text)
                lexer_.fail();
            auto e = std::make_unique<LikeExpr>(column, tok_.text);
            advance();
            return e;
        }
        if (isWord(tok_, "is")) {
            advance();
            bool wantNull = true;
            if (isWord(tok_, "not")) {
                wantNull = false;
                advance();
            }
            if (!isWord(tok_, "null"))
                lexer_.fail();
            advance();
            return std::make_unique<NullExpr>(column, wantNull);
        }
        if (tok_.kind != Tok::Op)
            lexer_.fail();
        const QString op = tok_.text;
        advance();
        QVariant literal;
        if (tok_.kind == Tok::Text) {
            literal = tok_.text;
        } else if (tok_.kind == Tok::Number) {
            bool ok = false;
            if (tok_.text.contains('.')) {
                literal = tok_.text.toDouble(&ok);
            } else {
                literal = tok_.text.toLongLong(&ok);
            }
            if (!ok)
                lexer_.fail();
        } else if (isWord(tok_, "null")) {
            literal = QVariant();  // compares with nothing: always false
        } else {
            lexer_.fail();
        }
        advance();
        return std::make_unique<CompareExpr>(column, op, literal);
    }

    Lexer lexer_;
    const FilterExpr::ColumnLookup& lookup_;
    Token tok_;
};

}  // namespace

std::unique_ptr<FilterExpr> FilterExpr::compile(const QString& text, const ColumnLookup& lookup) {
    return Parser(text, lookup).parse();
}

bool jetLike(const QString& value, const QString& pattern) {
    // Iterative wildcard match with backtracking on the last run: linear for the patterns
    // in use ('1*') and never exponential.
    int v = 0, p = 0, starP = -1, starV = 0;
    auto eq = [](QChar a, QChar b) { return a.toCaseFolded() == b.toCaseFolded(); };
    while (v < value.size()) {
        if (p < pattern.size() && (pattern.at(p) == '*' || pattern.at(p) == '%')) {
            starP = p++;
            starV = v;
        } else if (p < pattern.size() && (pattern.at(p) == '?' || pattern.at(p) == '_' ||
                                          eq(pattern.at(p), value.at(v)))) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && (pattern.at(p) == '*' || pattern.at(p) == '%'))
        ++p;
    return p == pattern.size();
}
