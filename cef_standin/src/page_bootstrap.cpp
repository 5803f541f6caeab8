#include "page_bootstrap.h"

namespace cef_standin {

// Wire forms: a value is {t: "u"|"n"|"b"|"i"|"d"|"s"|"a"|"o"|"f", v}; an
// installed property is {n: name, a: attributes, t: "v"|"o"|"f", v|p|f}.
const std::string& PageBootstrapScript() {
    static const std::string script = R"JS((function () {
  var http = location.protocol === 'http:' || location.protocol === 'https:';
  var base = (http ? location.origin : 'http://cef-standin.invalid') + '/__cef_standin/';
  var send = XMLHttpRequest.prototype.send, open = XMLHttpRequest.prototype.open;
  var stringify = JSON.stringify, parse = JSON.parse, keys = Object.keys;
  var define = Object.defineProperty, isArray = Array.isArray, ErrorType = Error;
  function post(kind, body) {
    var xhr = new XMLHttpRequest();
    open.call(xhr, 'POST', base + kind, false);
    send.call(xhr, stringify(body));
    return parse(xhr.responseText);
  }
  function encode(v, depth) {
    if (v === undefined) return {t: 'u'};
    if (v === null) return {t: 'n'};
    switch (typeof v) {
      case 'boolean': return {t: 'b', v: v};
      case 'string': return {t: 's', v: v};
      case 'number':
        if ((v | 0) === v && !(v === 0 && 1 / v < 0)) return {t: 'i', v: v};
        return {t: 'd', v: isFinite(v) ? v : String(v)};
      case 'function': return {t: 'f'};
    }
    if (isArray(v)) {
      return {t: 'a', v: depth < 8 ? v.map(function (e) { return encode(e, depth + 1); }) : []};
    }
    var out = {};
    if (depth < 8) keys(v).forEach(function (k) { out[k] = encode(v[k], depth + 1); });
    return {t: 'o', v: out};
  }
  var key = Math.random().toString(36).slice(2) + Date.now().toString(36);
  var description;
  try {
    description = post('context', {k: key, u: location.href});
  } catch (e) {
    return;
  }
  function makeFunction(id, name) {
    var f = function () {
      var args = [];
      for (var i = 0; i < arguments.length; ++i) args.push(encode(arguments[i], 0));
      var answer = post('call', {k: key, f: id, a: args});
      if ('e' in answer) throw new ErrorType(answer.e);
      return answer.v;
    };
    define(f, 'name', {value: name});
    return f;
  }
  function install(target, properties) {
    (properties || []).forEach(function (p) {
      var value;
      if (p.t === 'o') {
        value = {};
        install(value, p.p);
      } else if (p.t === 'f') {
        value = makeFunction(p.f, p.fn);
      } else {
        value = p.v;
      }
      try {
        define(target, p.n, {value: value, writable: !(p.a & 1), enumerable: !(p.a & 2),
                             configurable: !(p.a & 4)});
      } catch (e) {
      }
    });
  }
  install(window, description.p);
})();)JS";
    return script;
}

}  // namespace cef_standin
