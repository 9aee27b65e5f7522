// A small JSON reader for the tests: objects become maps, arrays lists, numbers doubles.

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

final class Json {
    private final String text;
    private int at;

    private Json(String text) {
        this.text = text;
    }

    static Object parse(String text) {
        Json reader = new Json(text);
        Object value = reader.value();
        reader.blanks();
        if (reader.at != text.length())
            throw reader.error("text after the value");
        return value;
    }

    @SuppressWarnings("unchecked")
    static Map<String, Object> object(Object value) {
        return (Map<String, Object>) value;
    }

    @SuppressWarnings("unchecked")
    static List<Object> array(Object value) {
        return (List<Object>) value;
    }

    static int integer(Object value) {
        return (int) ((Double) value).doubleValue();
    }

    private IllegalArgumentException error(String what) {
        return new IllegalArgumentException("JSON: " + what + " at " + at);
    }

    private void blanks() {
        while (at < text.length() && " \t\r\n".indexOf(text.charAt(at)) >= 0)
            ++at;
    }

    private Object value() {
        blanks();
        if (at >= text.length())
            throw error("end of text");
        char c = text.charAt(at);
        if (c == '{') {
            Map<String, Object> map = new LinkedHashMap<>();
            ++at;
            blanks();
            if (text.charAt(at) == '}') {
                ++at;
                return map;
            }
            for (;;) {
                blanks();
                String key = string();
                blanks();
                expect(':');
                map.put(key, value());
                blanks();
                if (text.charAt(at) == ',') {
                    ++at;
                    continue;
                }
                expect('}');
                return map;
            }
        }
        if (c == '[') {
            List<Object> list = new ArrayList<>();
            ++at;
            blanks();
            if (text.charAt(at) == ']') {
                ++at;
                return list;
            }
            for (;;) {
                list.add(value());
                blanks();
                if (text.charAt(at) == ',') {
                    ++at;
                    continue;
                }
                expect(']');
                return list;
            }
        }
        if (c == '"')
            return string();
        if (text.startsWith("true", at)) {
            at += 4;
            return Boolean.TRUE;
        }
        if (text.startsWith("false", at)) {
            at += 5;
            return Boolean.FALSE;
        }
        if (text.startsWith("null", at)) {
            at += 4;
            return null;
        }
        int start = at;
        while (at < text.length() && "+-0123456789.eE".indexOf(text.charAt(at)) >= 0)
            ++at;
        if (start == at)
            throw error("unexpected '" + c + "'");
        return Double.valueOf(text.substring(start, at));
    }

    private void expect(char c) {
        if (at >= text.length() || text.charAt(at) != c)
            throw error("expected '" + c + "'");
        ++at;
    }

    private String string() {
        expect('"');
        StringBuilder out = new StringBuilder();
        for (;;) {
            if (at >= text.length())
                throw error("unended string");
            char c = text.charAt(at++);
            if (c == '"')
                return out.toString();
            if (c != '\\') {
                out.append(c);
                continue;
            }
            char escape = text.charAt(at++);
            switch (escape) {
            case 'n': out.append('\n'); break;
            case 'r': out.append('\r'); break;
            case 't': out.append('\t'); break;
            case 'b': out.append('\b'); break;
            case 'f': out.append('\f'); break;
            case 'u':
                out.append((char) Integer.parseInt(text.substring(at, at + 4), 16));
                at += 4;
                break;
            default: out.append(escape);
            }
        }
    }
}
