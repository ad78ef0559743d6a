// Asks for the program's code at once, without holding up the page's load;
// start.js compiles it from this answer.
window.orvanelWasm = fetch('orvanel.wasm');
window.orvanelWasm.catch(function () {});
