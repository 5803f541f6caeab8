// Link check for the third-party prefix: touches each static library once.
// Built by build-deps.sh after the libraries are installed.
#ifndef CURL_STATICLIB
#define CURL_STATICLIB
#endif
#define OPENSSL_SUPPRESS_DEPRECATED  // one-shot MD5() is deprecated in 3.0
#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/md5.h>
#include <tinyxml.h>

#include <cstdio>
#include <cstring>

int main() {
    const char text[] = "abc";
    unsigned char digest[MD5_DIGEST_LENGTH];
    MD5(reinterpret_cast<const unsigned char*>(text), std::strlen(text), digest);

    unsigned char key[16] = {0};
    unsigned char iv[16] = {0};
    unsigned char in[16] = {0};
    unsigned char out[32];
    int len = 0;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_DecryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, key, iv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_DecryptUpdate(ctx, out, &len, in, sizeof in);
    EVP_CIPHER_CTX_free(ctx);

    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, "https://127.0.0.1/");
    curl_easy_cleanup(curl);
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    curl_global_cleanup();

    TiXmlDocument doc;
    doc.Parse("<root a=\"1\"><child>text</child></root>");
    const TiXmlElement* root = doc.RootElement();

    std::printf("md5(abc)=");
    for (unsigned char b : digest) std::printf("%02x", b);
    std::printf(" aes=%d curl=%s ssl=%s xml=%s\n", len, info->version,
                info->ssl_version ? info->ssl_version : "none",
                root ? root->Attribute("a") : "fail");
    return 0;
}
